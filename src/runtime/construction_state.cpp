// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/construction_state.h"

#include "platform/host.h"
#include "runtime/module_scene.h"
#include "runtime/write_sandbox.h"

namespace kestrane {

namespace {

constexpr int kProgressSteps = 20;

} // namespace

ConstructionState::ConstructionState(Host& host) : m_host(host) {}

bool ConstructionState::namesShown() const
{
    return m_store.settings().labels == LabelDisplay::Shown;
}

void ConstructionState::setNamesShown(bool shown)
{
    m_store.settings().labels = shown ? LabelDisplay::Shown : LabelDisplay::Hidden;
}

void ConstructionState::showMessage(std::string line1, std::string line2, int code)
{
    m_messages.line1 = std::move(line1);
    if (m_messages.code == message_code::kDeferredPending)
        return;
    m_messages.line2 = std::move(line2);
    m_messages.code = code;
    m_messageTicks = 0;
    m_messagePanel = m_messages.line1;
}

void ConstructionState::tick()
{
    // The counter wraps from 600 to 120, past the first ticks of a message.
    constexpr int kWrapAt = 600;
    constexpr int kWrapTo = 120;
    constexpr int kSteadyTicks = 6;
    if (++m_messageTicks >= kWrapAt)
        m_messageTicks = kWrapTo;
    if (m_messageTicks > kSteadyTicks) {
        if (m_messageTicks % 6 == 3)
            m_messagePanel = m_messages.line1;
        else if (m_messageTicks % 6 == 1)
            m_messagePanel = m_messages.line2;
    }
    showDeferredMessage();
}

void ConstructionState::deferRegionError()
{
    deferError(std::string(runtime_message::kRegionError),
               std::string(runtime_message::kRegionLine1),
               std::string(runtime_message::kRegionLine2));
}

void ConstructionState::deferError(std::string text, std::string line1, std::string line2)
{
    if (m_messages.code != message_code::kDeferredPending)
        m_deferredText = std::move(text);
    showMessage(std::move(line1), std::move(line2), message_code::kDeferredPending);
}

void ConstructionState::showDeferredMessage()
{
    if (m_messages.code != message_code::kDeferredPending || m_deferredShown)
        return;
    m_deferredShown = true;
    m_host.message(std::string(runtime_message::kRunTimeCaption), m_deferredText,
                   MessageButtons::OkCancel, MessageIcon::Error);
    m_messages.code = message_code::kDeferredShown;
}

std::optional<std::filesystem::path>
ConstructionState::writeTarget(const std::filesystem::path& path, std::string_view name)
{
    std::error_code error;
    std::string working = m_workingDirectory;
    if (working.empty())
        working = std::filesystem::current_path(error).string();
    std::vector<std::string> folders{m_scriptDirectory, working};
    folders.insert(folders.end(), m_extraWriteFolders.begin(), m_extraWriteFolders.end());
    if (std::optional<std::filesystem::path> place = WriteSandbox(folders).place(path))
        return place;
    ++m_refusedWrites;
    deferError("File '" + std::string(name) +
                   "' is outside the folders a program may write to: its own folder and the "
                   "working directory. Nothing is written.",
               std::string(runtime_message::kWriteRefusedLine1), std::string(name));
    return {};
}

void ConstructionState::advanceCollectionProgress()
{
    m_collectionProgress = (m_collectionProgress + 1) % kProgressSteps;
}

void ConstructionState::clear()
{
    m_store.clear();
    m_figures.clear();
    if (m_scene)
        m_scene->clear();
    setNamesShown(true);
    m_currentColour = 0;
    m_deferredShown = false;
    m_deferredText.clear();
    m_collectionProgress = 0;
    m_progress.reset();
    if (m_messages.code == message_code::kDeferredPending ||
        m_messages.code == message_code::kDeferredShown)
        m_messages.code = message_code::kNone;
}

} // namespace kestrane
