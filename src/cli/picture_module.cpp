// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/picture_module.h"

#include "cli/pdf_export.h"
#include "platform/translation.h"
#include "runtime/construction_window.h"

#include <dlfcn.h>

namespace kestrane::cli {

namespace {

std::vector<std::filesystem::path>& moduleDirectories()
{
    static std::vector<std::filesystem::path> directories;
    return directories;
}

struct LoadedModule {
    const PictureModule* module = nullptr;
    // Why there is none.
    std::string problem;
};

LoadedModule loadFrom(const std::filesystem::path& path)
{
    // Kept loaded to the end of the process: the writers it made are in use.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return {nullptr, dlerror()};
    auto entry = reinterpret_cast<PictureModuleEntry>(dlsym(handle, kPictureModuleEntry));
    if (!entry)
        return {nullptr, path.string() + " is not a picture module of kestrane-cli"};
    return {entry(), {}};
}

// The module, loaded on first use.
const LoadedModule& pictureModule()
{
    static const LoadedModule loaded = [] {
        std::string places;
        for (const std::filesystem::path& directory : moduleDirectories()) {
            std::filesystem::path path = directory / kPictureModuleName;
            std::error_code error;
            if (std::filesystem::exists(path, error))
                return loadFrom(path);
            places += (places.empty() ? "" : ", ") + directory.lexically_normal().string();
        }
        return LoadedModule{nullptr,
                            translateFilled("the picture module %1 is not installed (looked in %2)",
                                            {kPictureModuleName, places})};
    }();
    return loaded;
}

std::string cannotWrite(const std::string& path)
{
    return translateFilled("cannot write %1", {path}) + ": " + pictureModule().problem;
}

// The module has no catalogue, so it reports in English; its one message is
// put into the user's language here.
std::string inUserLanguage(std::string error)
{
    constexpr std::string_view kCannotWrite = "cannot write ";
    if (error.starts_with(kCannotWrite))
        return translateFilled("cannot write %1",
                               {std::string_view(error).substr(kCannotWrite.size())});
    return error;
}

void paintWindow(const ConstructionWindow& window, Canvas& canvas)
{
    window.paint(canvas);
}

// The picture show's pictures.
class ModulePictureWriter final : public PictureWriter {
public:
    bool writePng(const std::filesystem::path& path, const PictureArea& area, int width,
                  const std::function<void(Canvas&)>& paint) override
    {
        const PictureModule* module = pictureModule().module;
        return module && module->writeAreaPng(path, area, width, paint);
    }
};

} // namespace

void usePictureModule(std::vector<std::filesystem::path> directories)
{
    moduleDirectories() = std::move(directories);
    setPicturePngWriter([](int width, int height, const std::function<void(Canvas&)>& paint,
                           const std::string& path) {
        const PictureModule* module = pictureModule().module;
        return module ? inUserLanguage(module->writePng(width, height, paint, path))
                      : cannotWrite(path);
    });
    setPngWriter([](const ConstructionWindow& window, const std::string& path) {
        const PictureModule* module = pictureModule().module;
        if (!module)
            return cannotWrite(path);
        return inUserLanguage(module->writePng(
            ConstructionWindow::kDrawingWidth, window.drawingHeight(),
            [&window](Canvas& canvas) { paintWindow(window, canvas); }, path));
    });
    setPngPicturesWriter([](int width, int height, std::span<const PngPicture> pictures) {
        const PictureModule* module = pictureModule().module;
        if (!module)
            return cannotWrite(pictures.empty() ? std::string() : pictures.front().path);
        return inUserLanguage(module->writePngs(width, height, pictures));
    });
    static ModulePictureWriter showPictures;
    setPictureWriter(&showPictures);
    setPdfWriter([](const ConstructionWindow& window, const std::string& path) {
        const PictureModule* module = pictureModule().module;
        if (!module)
            return cannotWrite(path);
        return inUserLanguage(module->writePdf(
            ConstructionWindow::kDrawingWidth, ConstructionWindow::kDrawingHeight,
            [&window](Canvas& canvas) { paintWindow(window, canvas); }, path));
    });
}

} // namespace kestrane::cli
