// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "platform/translation.h"

#include "cli/command_output.h"
#include "cli/png_export.h"
#include "platform/console_host.h"
#include "platform/files.h"
#include "platform/svg_canvas.h"
#include "space/frame_file.h"
#include "space/frame_file_paint.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

// "frame001.svg" for the first frame.
std::filesystem::path framePath(const std::string& directory, std::size_t index,
                                std::string_view extension)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame%03zu.", index + 1);
    return std::filesystem::path(directory) / (name + std::string(extension));
}

bool makeDirectory(const std::string& directory, std::ostream& err)
{
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error || !std::filesystem::is_directory(directory, error)) {
        err << "kestrane-cli frames: " << translateFilled("cannot write into %1", {directory})
            << '\n';
        return false;
    }
    return true;
}

void writeInfoJson(const DecodedFrames& decoded, const std::vector<MessageRequest>& messages,
                   std::ostream& out)
{
    JsonWriter json;
    json.beginObject();
    if (decoded.malformed)
        json.key("result").null();
    json.key("frames").beginArray();
    for (const Frame& frame : decoded.frames) {
        json.beginObject().key("faces").number(frame.faceCount);
        json.key("frontFaces").number(frame.frontFaces.size());
        json.key("points").number(frame.points.size()).endObject();
    }
    json.endArray();
    writeMessages(json, messages);
    out << json.endObject().take() << '\n';
}

void printInfo(const std::vector<Frame>& frames, std::ostream& out)
{
    for (std::size_t index = 0; index < frames.size(); ++index) {
        const Frame& frame = frames[index];
        out << "frame " << index + 1 << ": faces " << frame.faceCount << ", front faces "
            << frame.frontFaces.size() << ", points " << frame.points.size() << '\n';
    }
}

bool writeSvg(const std::vector<Frame>& frames, const std::string& directory, std::ostream& err)
{
    if (!makeDirectory(directory, err))
        return false;
    for (std::size_t index = 0; index < frames.size(); ++index) {
        SvgCanvas canvas(kFramePictureWidth, kFramePictureHeight);
        paintFrame(frames[index], canvas);
        std::filesystem::path path = framePath(directory, index, "svg");
        if (!replaceFile(path, canvas.document())) {
            err << "kestrane-cli frames: " << translateFilled("cannot write %1", {path.string()})
                << '\n';
            return false;
        }
    }
    return true;
}

bool writePng(const std::vector<Frame>& frames, const std::string& directory, std::ostream& err)
{
    if (!makeDirectory(directory, err))
        return false;
    std::vector<PngPicture> pictures;
    for (std::size_t index = 0; index < frames.size(); ++index) {
        const Frame& frame = frames[index];
        pictures.push_back({framePath(directory, index, "png").string(),
                            [&frame](Canvas& canvas) { paintFrame(frame, canvas); }});
    }
    std::string error = pngPicturesWriter()(kFramePictureWidth, kFramePictureHeight, pictures);
    if (!error.empty()) {
        err << "kestrane-cli frames: " << error << '\n';
        return false;
    }
    return true;
}

} // namespace

int runFrames(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::string& file = arguments.operands.front();
    std::optional<std::string> svg = arguments.value("--svg");
    std::optional<std::string> png = arguments.value("--png");
    bool json = arguments.has("--json");
    // Without an output the frames are listed.
    bool info = arguments.has("--info") || (!svg && !png);
    if (png && !pngPicturesWriter()) {
        return usageError(err, "frames",
                          N_("--png needs kestrane-cli built with the Qt desktop program "
                             "(KESTRANE_GUI=ON); use --svg instead"));
    }
    std::optional<std::string> bytes = readWholeFile(file);
    if (!bytes) {
        err << "kestrane-cli frames: " << translateFilled("cannot read %1", {file}) << '\n';
        return kUsageError;
    }
    // The frames before a bad one are still shown; the bad one is reported.
    DecodedFrames decoded = decodeFrameFile(*bytes);
    if (info && !json)
        printInfo(decoded.frames, out);
    if (svg && !writeSvg(decoded.frames, *svg, err))
        return kUsageError;
    if (png && !writePng(decoded.frames, *png, err))
        return kUsageError;
    ConsoleHost host(err);
    if (decoded.malformed) {
        reportProblem(
            host, "frames",
            translateFilled("%1: bad frame %2 at byte %3", {file, std::to_string(decoded.badFrame),
                                                            std::to_string(decoded.badByte)}));
    }
    if (json)
        writeInfoJson(decoded, host.messages(), out);
    return decoded.malformed ? kRefused : kSuccess;
}

} // namespace kestrane::cli
