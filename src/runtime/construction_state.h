// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/object_store.h"
#include "platform/translation.h"
#include "runtime/plane_figures.h"
#include "runtime/progress_marks.h"
#include "script/data_file_search.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class Host;
class ModuleScene;
class PictureWriter;

// Message codes of the construction window's message lines.
namespace message_code {
inline constexpr int kNone = 0;
// A stepped statement: line 1 is the statement, line 2 the one before.
inline constexpr int kStep = 120;
// A deferred error box is pending; later messages keep lines 2 and the code.
inline constexpr int kDeferredPending = 132;
// The deferred box has been shown.
inline constexpr int kDeferredShown = 133;
} // namespace message_code

// The two message lines of the status bar and their code.
struct RunMessages {
    std::string line1;
    std::string line2;
    int code = message_code::kNone;
};

// What a run builds and shows: the object store, the plane figures the
// store does not keep, the message lines and the settings stamped on new
// objects. The construction window owns it; executors change it.
class ConstructionState {
public:
    explicit ConstructionState(Host& host);

    Host& host() { return m_host; }
    ObjectStore& store() { return m_store; }
    const ObjectStore& store() const { return m_store; }
    PlaneFigures& figures() { return m_figures; }
    const PlaneFigures& figures() const { return m_figures; }

    // The names switch: objects made while it is off hide their labels.
    bool namesShown() const;
    void setNamesShown(bool shown);
    ColorRef currentColour() const { return m_currentColour; }
    void setCurrentColour(ColorRef colour) { m_currentColour = colour; }

    // Stores line 1; unless a deferred box is pending also line 2 and the
    // code, and the message panel shows line 1 at once.
    void showMessage(std::string line1, std::string line2, int code = message_code::kNone);
    const RunMessages& messages() const { return m_messages; }
    const std::string& messagePanel() const { return m_messagePanel; }
    // Ticks since the last message; the status bar alternates the lines by it.
    int messageTicks() const { return m_messageTicks; }

    // The window's timer (every 130 ms): the panel shows line 1 for four
    // ticks and line 2 for two, and a deferred box is shown once.
    void tick();

    // Collection's error: its message lines now, its box later, once.
    void deferRegionError();
    // A run-time error of a command: the message lines now, the box (caption
    // "Run-time error.") later, once; while one is pending later errors
    // only change line 1.
    void deferError(std::string text, std::string line1, std::string line2);
    // Shows the pending deferred box once (the window's timer calls this).
    void showDeferredMessage();

    // The scene of the running program's module; nullptr when it has none.
    ModuleScene* scene() const { return m_scene; }
    void setScene(ModuleScene* scene) { m_scene = scene; }

    // Where the files of a run are: a relative name in a command is taken
    // from the main script's directory; pictures go to the working
    // directory (the current one when none is set).
    const std::string& scriptDirectory() const { return m_scriptDirectory; }
    void setScriptDirectory(std::string directory) { m_scriptDirectory = std::move(directory); }
    const std::string& workingDirectory() const { return m_workingDirectory; }
    void setWorkingDirectory(std::string directory) { m_workingDirectory = std::move(directory); }
    // Folders a program may also write in (kestrane-cli run --allow-write).
    void setExtraWriteFolders(std::vector<std::string> folders)
    {
        m_extraWriteFolders = std::move(folders);
    }
    // Where a file the program writes goes: the path with every link
    // followed, when it lies inside the main script's folder, the working
    // directory (the current one when none is set) or an extra folder.
    // Otherwise a run-time error naming the file (as the program gave it) is
    // raised and counted, and nothing is returned: nothing may be written.
    std::optional<std::filesystem::path> writeTarget(const std::filesystem::path& path,
                                                     std::string_view name);
    // The writes refused since the state was made.
    int refusedWrites() const { return m_refusedWrites; }
    // What writes pictures of the drawing; nullptr when this host cannot.
    PictureWriter* pictureWriter() const { return m_pictureWriter; }
    void setPictureWriter(PictureWriter* writer) { m_pictureWriter = writer; }

    // Where the data files a script names (function and expression files)
    // are looked for; a program's start sets the script's directory.
    DataFileSearch& dataFiles() { return m_dataFiles; }
    const DataFileSearch& dataFiles() const { return m_dataFiles; }

    // The progress counter of Collection: 1 to 19, then back to 0.
    int collectionProgress() const { return m_collectionProgress; }
    void advanceCollectionProgress();

    // The marks a long command draws while it runs.
    ProgressMarks& progress() { return m_progress; }
    const ProgressMarks& progress() const { return m_progress; }

    // Empties the store (fresh label pools, distance counter 0), the figures,
    // the texts and the scene, and switches the names on again.
    void clear();

private:
    Host& m_host;
    ObjectStore m_store;
    PlaneFigures m_figures;
    ColorRef m_currentColour = 0;
    RunMessages m_messages;
    std::string m_messagePanel;
    int m_messageTicks = 0;
    bool m_deferredShown = false;
    std::string m_deferredText;
    ModuleScene* m_scene = nullptr;
    std::string m_scriptDirectory;
    std::string m_workingDirectory;
    PictureWriter* m_pictureWriter = nullptr;
    std::vector<std::string> m_extraWriteFolders;
    int m_refusedWrites = 0;
    int m_collectionProgress = 0;
    ProgressMarks m_progress;
    DataFileSearch m_dataFiles;
};

// The texts of the run-time messages.
namespace runtime_message {
inline constexpr std::string_view kRunTimeCaption = N_("Run-time error.");
inline constexpr std::string_view kRegionError =
    N_("Region was not defined or outside polygon.\nCommand 'Collection' will be omitted.");
inline constexpr std::string_view kRegionLine1 = N_("Error of 'Region'");
inline constexpr std::string_view kRegionLine2 = N_("Region was not defined or outside polygon");
inline constexpr std::string_view kTooManyCopies =
    N_("Command 'Collection' would make more than 100000 copies of the polygon.\n"
       "Make the region smaller or the vectors longer. The command is omitted.");
inline constexpr std::string_view kTooManyCalls =
    N_("Too many nested procedure calls. The program is stopped.");
inline constexpr std::string_view kChooseFirst =
    N_("Choose a point first. Look for variables of procedure start(...).");
inline constexpr std::string_view kWrongFigure = N_("Niewlasciwa figura wybrana.");
inline constexpr std::string_view kPolygonParameter =
    N_("Polygon may not be called from the main procedure.");
inline constexpr std::string_view kVectorParameter =
    N_("Vector may not be called from main procedure.");
inline constexpr std::string_view kDistanceParameter =
    N_("A distance may not be chosen on the screen. The program is stopped.");
inline constexpr std::string_view kRunEnded = N_("Click on one of elements of status bar");
inline constexpr std::string_view kWriteRefusedLine1 = N_("File not written");
} // namespace runtime_message

} // namespace kestrane
