// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/expression_json.h"

#include "expressions/fract_node.h"
#include "platform/json_writer.h"

namespace kestrane::cli {

namespace {

// The tree's fields in order, on the shared writer.
class TreeJson {
public:
    explicit TreeJson(JsonWriter& json) : json(json) {}

    JsonWriter& json;

    void field(const char* name, int value) { json.key(name).number(value); }
    void field(const char* name, const std::string& value) { json.key(name).string(value); }
    void sign(const char* name, char value) { field(name, std::string(1, value)); }

    void node(const FractNode& node)
    {
        json.beginObject();
        field("kind", std::string(node.isOperation()  ? "operation"
                                  : node.isFraction() ? "fraction"
                                                      : "leaf"));
        if (node.text) {
            field("text", node.isSlot() ? std::string("?") : *node.text);
            field("textLength", node.textLength());
        }
        field("symbol", node.symbol);
        sign("opSign", node.opSign.sign);
        sign("numberSign", node.numberSign.sign);
        sign("leadSign", node.leadSign.sign);
        field("role", static_cast<int>(node.role));
        field("sizeClass", node.sizeClass);
        field("fontHeight", node.fontHeight);
        field("x", node.x);
        field("y", node.y);
        field("textX", node.textX);
        field("y2", node.y2);
        field("width", node.width);
        field("height", node.height);
        field("below", node.below);
        field("above", node.above);
        field("aboveNoExp", node.aboveNoExp);
        field("heightNoExp", node.heightNoExp);
        field("heightNoTop", node.heightNoTop);
        field("aboveTotal", node.aboveTotal);
        field("rootRoom", node.rootRoom);
        field("closeExpRoom", node.closeExpRoom);
        field("expWidth", node.expWidth);
        field("markSpan", node.markSpan);
        field("openIndex", node.openIndex);
        field("closeIndex", node.closeIndex);
        field("barThickness", node.barThickness);
        if (node.isOperation())
            field("operatorWidth", node.left->opSign.width);
        row("open", node.openRow.get());
        row("close", node.closeRow.get());
        child("left", node.left.get());
        child("right", node.right.get());
        child("numerator", node.numerator.get());
        child("denominator", node.denominator.get());
        child("exponent", node.exponent.get());
        json.endObject();
    }

private:
    void child(const char* name, const FractNode* child)
    {
        if (!child)
            return;
        json.key(name);
        node(*child);
    }

    void row(const char* name, const MarkRow* row)
    {
        if (!row)
            return;
        json.key(name).beginObject();
        field("count", row->count());
        field("capacity", row->capacity);
        field("width", row->width);
        field("x", row->x);
        field("leadingMinus", row->leadingMinus);
        json.key("items").beginArray();
        for (const auto& item : row->items)
            mark(*item);
        json.endArray().endObject();
    }

    void mark(const MarkItem& item)
    {
        json.beginObject();
        field("kind", std::string(item.isRoot() ? "root" : item.isParen() ? "paren" : "function"));
        field("code", item.kind);
        field("isOpening", item.isOpening);
        sign("signBefore", item.signBefore);
        sign("signAfter", item.signAfter);
        field("matched", item.matched);
        field("x", item.x);
        field("width", item.width);
        if (item.function)
            field("name", std::string(functionName(item.function->code)));
        if (const RootMark* root = item.root       ? item.root.get()
                                   : item.function ? &item.function->root
                                                   : nullptr) {
            field("degree", root->degree);
            field("y", root->y);
            field("height", root->height);
            field("hookWidth", root->hookWidth);
            if (item.isOpening)
                field("barLength", root->barLength);
        }
        if (item.paren) {
            if (item.paren->sign2 == '-')
                sign("minus", '-');
            if (item.paren->exponent) {
                json.key("exponent");
                node(*item.paren->exponent);
            }
        }
        json.endObject();
    }
};

} // namespace

void writeExpressionJson(JsonWriter& json, const FractNode& node)
{
    TreeJson(json).node(node);
}

std::string expressionJson(const FractNode& node)
{
    JsonWriter json;
    writeExpressionJson(json, node);
    return json.take();
}

} // namespace kestrane::cli
