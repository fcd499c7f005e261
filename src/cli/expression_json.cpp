#include "cli/expression_json.h"

#include "fractions/fract_node.h"
#include "runtime/store_json.h"

namespace kestrane::cli {

namespace {

class JsonWriter {
public:
    explicit JsonWriter(std::string& text) : out(text) {}

    std::string& out;

    void field(const char* name, int value) { key(name) += std::to_string(value); }
    void field(const char* name, const std::string& value) { key(name) += jsonString(value); }
    void sign(const char* name, char value) { field(name, std::string(1, value)); }

    std::string& key(const char* name)
    {
        if (!m_first)
            out += ',';
        m_first = false;
        out += '"';
        out += name;
        out += "\":";
        return out;
    }

    void open()
    {
        out += '{';
        m_first = true;
    }
    void close()
    {
        out += '}';
        m_first = false;
    }

    void node(const FractNode& node)
    {
        open();
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
        close();
    }

private:
    void child(const char* name, const FractNode* child)
    {
        if (!child)
            return;
        key(name);
        node(*child);
    }

    void row(const char* name, const MarkRow* row)
    {
        if (!row)
            return;
        key(name);
        open();
        field("count", row->count());
        field("capacity", row->capacity);
        field("width", row->width);
        field("x", row->x);
        field("leadingMinus", row->leadingMinus);
        key("items") += '[';
        bool firstItem = true;
        for (const auto& item : row->items) {
            if (!firstItem)
                out += ',';
            firstItem = false;
            mark(*item);
        }
        out += ']';
        close();
    }

    void mark(const MarkItem& item)
    {
        open();
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
                key("exponent");
                node(*item.paren->exponent);
            }
        }
        close();
    }

    bool m_first = true;
};

} // namespace

std::string expressionJson(const FractNode& node)
{
    std::string out;
    JsonWriter(out).node(node);
    return out;
}

} // namespace kestrane::cli
