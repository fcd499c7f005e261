#include "cli/commands.h"

#include "cli/png_export.h"
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

constexpr std::string_view kUsage =
    "Usage: kestrane-cli frames FILE [--info] [--svg DIR] [--png DIR]\n";

struct FramesArguments {
    std::string file;
    bool info = false;
    std::optional<std::string> svg;
    std::optional<std::string> png;
};

std::optional<FramesArguments> parseArguments(CommandArguments arguments, std::ostream& err)
{
    FramesArguments parsed;
    bool options = true;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (options && argument == "--") {
            options = false;
        } else if (options && argument == "--info") {
            parsed.info = true;
        } else if (options && (argument == "--svg" || argument == "--png")) {
            if (index + 1 >= arguments.size()) {
                err << "kestrane-cli frames: " << argument << " needs a directory\n";
                return {};
            }
            (argument == "--svg" ? parsed.svg : parsed.png) = arguments[++index];
        } else if (parsed.file.empty() && !(options && argument.starts_with("--"))) {
            parsed.file = argument;
        } else {
            err << "kestrane-cli frames: unexpected argument '" << argument << "'\n";
            return {};
        }
    }
    if (parsed.file.empty()) {
        err << kUsage;
        return {};
    }
    // Without an output the frames are listed.
    if (!parsed.svg && !parsed.png)
        parsed.info = true;
    return parsed;
}

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
        err << "kestrane-cli frames: cannot write into " << directory << '\n';
        return false;
    }
    return true;
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
            err << "kestrane-cli frames: cannot write " << path.string() << '\n';
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

int runFrames(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    std::optional<FramesArguments> parsed = parseArguments(arguments, err);
    if (!parsed)
        return kUsageError;
    if (parsed->png && !pngPicturesWriter()) {
        err << "kestrane-cli frames: --png needs kestrane-cli built with the Qt desktop program "
               "(KESTRANE_GUI=ON); use --svg instead\n";
        return kUsageError;
    }
    std::optional<std::string> bytes = readWholeFile(parsed->file);
    if (!bytes) {
        err << "kestrane-cli frames: cannot read " << parsed->file << '\n';
        return kUsageError;
    }
    // The frames before a bad one are still shown; the bad one is reported.
    DecodedFrames decoded = decodeFrameFile(*bytes);
    if (parsed->info)
        printInfo(decoded.frames, out);
    if (parsed->svg && !writeSvg(decoded.frames, *parsed->svg, err))
        return kUsageError;
    if (parsed->png && !writePng(decoded.frames, *parsed->png, err))
        return kUsageError;
    if (decoded.malformed) {
        err << "kestrane-cli frames: " << parsed->file << ": bad frame " << decoded.badFrame
            << " at byte " << decoded.badByte << '\n';
        return kRefused;
    }
    return kSuccess;
}

} // namespace kestrane::cli
