// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/expression_output.h"

#include "cli/png_export.h"
#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "expressions/fract_paint.h"
#include "platform/files.h"
#include "platform/recording_canvas.h"
#include "platform/svg_canvas.h"
#include "platform/translation.h"

#include <ostream>

namespace kestrane::cli {

namespace {

int pictureWidth(const FractNode& tree)
{
    return tree.width + 2 * kExpressionMargin;
}

int pictureHeight(const FractNode& tree)
{
    return tree.height + 2 * kExpressionMargin;
}

} // namespace

void layoutWithFixedMetric(FractNode& tree)
{
    RecordingCanvas canvas;
    layoutExpression(tree, canvas, kExpressionMargin, kExpressionMargin);
}

bool writeExpressionSvg(const FractNode& tree, const std::string& path, std::ostream& err,
                        const std::string& command)
{
    SvgCanvas canvas(pictureWidth(tree), pictureHeight(tree));
    canvas.fillRect(0, 0, pictureWidth(tree), pictureHeight(tree), kWhite);
    paintExpression(tree, canvas);
    if (!replaceFile(path, canvas.document())) {
        err << "kestrane-cli " << command << ": " << translateFilled("cannot write %1", {path})
            << '\n';
        return false;
    }
    return true;
}

bool writeExpressionPng(const FractNode& tree, const std::string& path, std::ostream& err,
                        const std::string& command)
{
    const PicturePngWriter& writer = picturePngWriter();
    if (!writer) {
        err << "kestrane-cli " << command << ": "
            << translate("--png needs kestrane-cli built with the Qt desktop program "
                         "(KESTRANE_GUI=ON); use --svg instead")
            << '\n';
        return false;
    }
    // The desktop's fonts are measured anew, so the picture is laid out on
    // its own canvas; the fixed metric only sizes it.
    auto paint = [&tree](Canvas& canvas) {
        std::unique_ptr<FractNode> copy = copyTree(tree);
        copy->fontHeight = tree.fontHeight;
        layoutExpression(*copy, canvas, kExpressionMargin, kExpressionMargin);
        paintExpression(*copy, canvas);
    };
    std::string error =
        writer(pictureWidth(tree) + 4 * kExpressionMargin, pictureHeight(tree), paint, path);
    if (!error.empty()) {
        err << "kestrane-cli " << command << ": " << error << '\n';
        return false;
    }
    return true;
}

} // namespace kestrane::cli
