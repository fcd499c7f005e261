// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/word_reference.h"

#include "platform/json_writer.h"
#include "script/module.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace kestrane {

namespace {

std::string moduleName(int moduleCode)
{
    const ModuleInfo* info = findModule(moduleCode);
    return info ? std::string(info->statusName) : std::to_string(moduleCode);
}

// "Dimension 3" -> "dimension3": the form module names are compared in.
std::string squeezed(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c != ' ')
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string pageOf(int moduleCode)
{
    std::string page;
    for (char c : moduleName(moduleCode))
        page += c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return page + ".html";
}

std::string anchorOf(std::string_view word)
{
    std::string anchor;
    for (char c : word) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            anchor += c;
    }
    return anchor;
}

std::string typeWords(int code)
{
    std::string_view name = typeName(code);
    return name.empty() ? "code " + std::to_string(code) : std::string(name);
}

std::string argumentText(const ArgumentList& list)
{
    std::string text;
    for (std::size_t index = 0; index < list.size(); ++index)
        text += (index ? ", " : "") + typeWords(list[index]);
    return text;
}

std::string_view kindName(WordKind kind)
{
    switch (kind) {
    case WordKind::Call:
        return "call";
    case WordKind::Plain:
        return "plain";
    case WordKind::Attribute:
        return "attribute";
    case WordKind::List:
        return "list";
    case WordKind::Control:
        return "control";
    case WordKind::Number:
        return "literal";
    case WordKind::Directive:
        return "directive";
    case WordKind::Unchecked:
        return "unchecked";
    }
    return "call";
}

// The example as the whole program it is checked as.
std::vector<std::string> exampleLines(const WordHelp& help)
{
    std::vector<std::string> lines;
    std::string script = exampleScript(help);
    std::size_t start = 0;
    while (start <= script.size()) {
        std::size_t end = script.find("\r\n", start);
        if (end == std::string::npos)
            end = script.size();
        lines.push_back(script.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string exampleText(const WordHelp& help)
{
    std::string text;
    for (const std::string& line : exampleLines(help))
        text += line + "\n";
    return text;
}

std::vector<int> selectedModules(std::optional<int> moduleCode)
{
    return moduleCode ? std::vector<int>{*moduleCode} : referenceModules();
}

std::string html(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Descriptions mark words as `word`; on the pages they become code.
std::string htmlDescription(std::string_view text)
{
    std::string out;
    bool inCode = false;
    for (char c : text) {
        if (c == '`') {
            out += inCode ? "</code>" : "<code>";
            inCode = !inCode;
        } else {
            out += html(std::string_view(&c, 1));
        }
    }
    if (inCode)
        out += "</code>";
    return out;
}

std::string pageHead(std::string_view title)
{
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           html(title) +
           "</title>\n<link rel=\"stylesheet\" href=\"../style.css\">\n</head>\n<body>\n"
           "<p><a href=\"../index.html\">Contents</a> | <a href=\"index.html\">Language "
           "reference</a></p>\n<h1>" +
           html(title) + "</h1>\n";
}

constexpr std::string_view kPageFoot = "</body>\n</html>\n";

std::string modulePage(int moduleCode)
{
    std::string page = pageHead("Words of the module " + moduleName(moduleCode));
    std::vector<ReferenceWord> words = moduleReference(moduleCode);
    page += "<p>";
    for (std::size_t index = 0; index < words.size(); ++index) {
        std::string_view word = words[index].entry->word;
        page += (index ? " | " : "") + std::string("<a href=\"#") + anchorOf(word) + "\">" +
                html(word) + "</a>";
    }
    page += "</p>\n";
    for (const ReferenceWord& item : words) {
        const WordEntry& entry = *item.entry;
        page += "\n<h2 id=\"" + anchorOf(entry.word) + "\">" + html(entry.word) + "</h2>\n";
        if (item.help)
            page += "<p>" + htmlDescription(item.help->description) + "</p>\n";
        page += "<ul>\n";
        for (const std::string& form : callForms(entry))
            page += "<li><code>" + html(form) + "</code></li>\n";
        page += "</ul>\n<p>Result: " + html(resultName(entry)) + "</p>\n";
        if (item.help) {
            page += "<pre>";
            for (const std::string& line : exampleLines(*item.help))
                page += html(line) + "\n";
            page += "</pre>\n";
        }
    }
    return page + std::string(kPageFoot);
}

std::string indexPage()
{
    std::string page = pageHead("Language reference");
    page += "<p>Every word a program may use, module by module, with the arguments the "
            "checker accepts, the type of its result, what it does and a short example. In the "
            "script editor, <b>F1</b> opens the entry of the word under the caret.</p>\n"
            "<ul>\n<li><a href=\"rules.html\">Statements and language rules</a></li>\n</ul>\n"
            "<h2>Modules</h2>\n<ul>\n";
    for (int code : referenceModules()) {
        page += "<li><a href=\"" + pageOf(code) + "\">" + html(moduleName(code)) + "</a> (" +
                std::to_string(code) + ", " + std::to_string(moduleReference(code).size()) +
                " words)</li>\n";
    }
    return page + "</ul>\n" + std::string(kPageFoot);
}

constexpr std::string_view kRulesBody = R"(<h2 id="files">Files and modules</h2>
<p>A program is a main file (<code>.kst</code>) and the include files it names
(<code>.ksu</code>). Its module decides which words it may use; a first line
<code>Module=Dimension3</code> (or <code>Kestrane</code>, <code>Dimension2</code>,
<code>Dimension4</code>) sets it. Words are case-sensitive.</p>

<h2 id="comments">Comments</h2>
<p>A line that starts with <code>//</code> is a comment and is ignored, as are empty
lines. Comments take whole lines: a <code>/</code> elsewhere in a statement is an error.</p>
<pre>// The bisector of an angle
A=point(150,400)</pre>

<h2 id="declarations">Declarations</h2>
<p><code>NAME=WORD(ARGUMENTS)</code> makes an object and names it; the name's type is the
word's result type. A name keeps its type: naming another kind of object with it is refused
until <code>Remove</code> drops it. A decimal number declares a distance
(<code>d=120.5</code>), <code>String($text)</code> a string. A text after <code>$</code>
holds letters, digits, blanks and the signs <code># % = + - * .</code>; an argument listed
as <code>String</code> takes letters only, one listed as <code>text</code> all of these.
Blanks around <code>(</code>,
<code>,</code>, <code>)</code> and <code>=</code> do not count.</p>
<pre>A=point(100,100)
B=point(300,200)
l=line(A,B)
d=120.5</pre>

<h2 id="if">Conditions: if</h2>
<p><code>if CONDITION then StartIf</code> runs the lines up to <code>EndOfIf</code> only when
the condition holds. <code>then</code> stands on the line of <code>if</code>. A condition is
<code>a==b</code> for two named objects, or a test: <code>TwoSides</code>,
<code>OneSide</code>, <code>Between</code>, <code>NotBetween</code>.</p>
<pre>if TwoSides(l,P,Q) then StartIf
Text(20,20,$P and Q lie on two sides)
EndOfIf</pre>

<h2 id="procedures">Procedures</h2>
<p>A program is a list of procedures. Each begins with a header
<code>TYPE NAME(TYPE NAME, ...)</code> (the type may be left out, or <code>void</code>) and
ends with <code>END</code>. The procedure <code>start</code> runs first. A procedure is called
by its name like a word: <code>sides(P,Q,R)</code>, or <code>M=middle(A,B)</code> when it
returns an object.</p>
<pre>void sides(point A, point B, point C)
a=segment(B,C)
b=segment(A,C)
c=segment(A,B)
END

void start()
P=point(120,80)
Q=point(420,160)
R=point(200,380)
sides(P,Q,R)
END</pre>

<h2 id="return">return</h2>
<p><code>return(X)</code> ends a procedure and hands X back; the header's type names the
kind of X.</p>
<pre>point corner(point A)
return(A)
END</pre>

<h2 id="Break">Break</h2>
<p><code>Break(1)</code> pauses a running program until the space bar is pressed in the
construction window.</p>

<h2 id="include">Includes</h2>
<p><code>#include &lt;file.ksu&gt;</code> at the top of a file makes the procedures of an
include file available. The file is looked for beside the including file, then in the main,
working and library directories.</p>
<pre>#include &lt;geometry.ksu&gt;
void start()
A=point(200,400)
B=point(500,420)
m=bisector(A,B)
END</pre>

<h2 id="colours">Colours and switches</h2>
<p>Attribute statements take a value after <code>=</code>: a colour word (white, yellow, blue,
red, gray, purple, green, silver, aqua, transparent) or <code>RGB(r,g,b)</code> for
<code>Color</code> and <code>fill</code>; <code>yes</code> or <code>no</code> for
<code>name</code> and <code>KeepAspRatio</code>.</p>
)";

} // namespace

std::vector<int> referenceModules()
{
    std::vector<int> codes;
    for (const ModuleInfo& info : moduleTable())
        codes.push_back(code(info.module));
    return codes;
}

std::vector<ReferenceWord> moduleReference(int moduleCode)
{
    std::vector<ReferenceWord> words;
    for (std::string_view word : wordsOfModule(moduleCode)) {
        const WordEntry* entry = matchWord(word, moduleCode).entry;
        if (entry)
            words.push_back({entry, helpFor(*entry)});
    }
    return words;
}

std::optional<int> parseModule(std::string_view text)
{
    std::string wanted = squeezed(text);
    for (const ModuleInfo& info : moduleTable()) {
        int moduleCode = code(info.module);
        if (wanted == std::to_string(moduleCode) || wanted == squeezed(info.statusName) ||
            (!info.keyword.empty() && wanted == squeezed(info.keyword)))
            return moduleCode;
    }
    return std::nullopt;
}

std::vector<std::string> callForms(const WordEntry& entry)
{
    std::string word(entry.word);
    switch (entry.kind) {
    case WordKind::Plain:
    case WordKind::Control:
    case WordKind::Directive:
    case WordKind::Number:
        return {word};
    case WordKind::List:
        return {word + "(point, point, ...)"};
    case WordKind::Attribute: {
        std::vector<std::string> forms;
        for (const ArgumentList& list : entry.lists)
            forms.push_back(word + "(" + argumentText(list) + ") = value");
        return forms;
    }
    case WordKind::Call:
    case WordKind::Unchecked:
        break;
    }
    if (entry.lists.empty())
        return {word + "(...): refused in this module"};
    std::vector<std::string> forms;
    for (const ArgumentList& list : entry.lists) {
        std::string form = word + "(" + argumentText(list) + ")";
        if (entry.kind == WordKind::Unchecked)
            form += ", arguments not checked";
        forms.push_back(form);
    }
    return forms;
}

std::string resultName(const WordEntry& entry)
{
    return entry.result == type::kNone ? "none" : typeWords(entry.result);
}

std::string referenceText(std::optional<int> moduleCode)
{
    std::string text;
    for (int code : selectedModules(moduleCode)) {
        if (!text.empty())
            text += "\n";
        text += moduleName(code) + " (" + std::to_string(code) + ")\n";
        for (const ReferenceWord& item : moduleReference(code)) {
            text += "\n" + std::string(item.entry->word) + "\n";
            for (const std::string& form : callForms(*item.entry))
                text += "  " + form + "\n";
            text += "  result: " + resultName(*item.entry) + "\n";
            if (item.help) {
                text += "  " + std::string(item.help->description) + "\n  example:\n";
                for (const std::string& line : exampleLines(*item.help))
                    text += "    " + line + "\n";
            }
        }
    }
    return text;
}

std::string referenceJson(std::optional<int> moduleCode)
{
    JsonWriter json;
    json.beginObject().key("modules").beginArray();
    for (int code : selectedModules(moduleCode)) {
        json.beginObject().key("code").number(code).key("name").string(moduleName(code));
        json.key("words").beginArray();
        for (const ReferenceWord& item : moduleReference(code)) {
            const WordEntry& entry = *item.entry;
            json.beginObject().key("word").string(entry.word).key("code").number(entry.code);
            json.key("kind").string(kindName(entry.kind)).key("arguments").beginArray();
            for (const auto& list : entry.lists) {
                json.beginArray();
                for (int type : list)
                    json.string(typeWords(type));
                json.endArray();
            }
            json.endArray().key("forms").beginArray();
            for (const std::string& form : callForms(entry))
                json.string(form);
            json.endArray().key("result");
            if (entry.result == type::kNone)
                json.null();
            else
                json.string(typeWords(entry.result));
            json.key("description");
            if (item.help)
                json.string(item.help->description);
            else
                json.null();
            json.key("example");
            if (item.help)
                json.string(exampleText(*item.help));
            else
                json.null();
            json.endObject();
        }
        json.endArray().endObject();
    }
    json.endArray().endObject();
    return json.take() + "\n";
}

std::vector<std::pair<std::string, std::string>> referencePages()
{
    std::vector<std::pair<std::string, std::string>> pages;
    pages.emplace_back("index.html", indexPage());
    pages.emplace_back("rules.html", pageHead("Statements and language rules") +
                                         std::string(kRulesBody) + std::string(kPageFoot));
    for (int code : referenceModules())
        pages.emplace_back(pageOf(code), modulePage(code));
    return pages;
}

std::pair<std::string, std::string> referenceLocation(std::string_view word, int moduleCode)
{
    const WordEntry* entry = matchWord(word, moduleCode).entry;
    if (!entry)
        return {};
    return {pageOf(moduleCode), anchorOf(entry->word)};
}

} // namespace kestrane
