// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_output.h"
#include "cli/commands.h"
#include "platform/translation.h"

#include "numbers/long_num.h"
#include "platform/console_host.h"
#include "platform/files.h"
#include "platform/json_writer.h"
#include "space/solid_file.h"
#include "space/solid_file_io.h"

#include <algorithm>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

enum class SolidKind { Polyhedron, Cell, Polytope };

std::string_view kindName(SolidKind kind)
{
    switch (kind) {
    case SolidKind::Polyhedron:
        return "polyhedron";
    case SolidKind::Cell:
        return "cell";
    case SolidKind::Polytope:
        return "polytope";
    }
    return "";
}

std::optional<SolidKind> parseKind(std::string_view text)
{
    for (SolidKind kind : {SolidKind::Polyhedron, SolidKind::Cell, SolidKind::Polytope}) {
        if (kindName(kind) == text)
            return kind;
    }
    return {};
}

// --- JSON ----------------------------------------------------------------------------------

template<typename Face>
void writeFaces(JsonWriter& json, const std::vector<Face>& faces)
{
    json.key("faces").beginArray();
    for (const Face& face : faces) {
        json.beginObject().key("vertices").beginArray();
        for (const auto& vertex : face.vertices) {
            json.beginArray();
            for (const LongNum& coordinate : vertex)
                json.string(LongToDecimal(coordinate));
            json.endArray();
        }
        json.endArray().endObject();
    }
    json.endArray();
}

JsonWriter header(SolidKind kind, int words)
{
    JsonWriter json;
    json.beginObject().key("kind").string(kindName(kind)).key("words").number(words);
    return json;
}

std::string contentJson(const SolidPolyhedron& polyhedron, int words)
{
    JsonWriter json = header(SolidKind::Polyhedron, words);
    writeFaces(json, polyhedron.faces);
    return json.endObject().take() + "\n";
}

std::string contentJson(const SolidCell& cell, int words)
{
    JsonWriter json = header(SolidKind::Cell, words);
    writeFaces(json, cell.faces);
    return json.endObject().take() + "\n";
}

std::string contentJson(const SolidPolytope& polytope, int words)
{
    JsonWriter json = header(SolidKind::Polytope, words);
    json.key("cells").beginArray();
    for (const auto& cell : polytope.cells) {
        json.beginObject();
        writeFaces(json, cell.faces);
        json.endObject();
    }
    json.endArray();
    return json.endObject().take() + "\n";
}

// --- Reading ---------------------------------------------------------------------------------

// The JSON of the file read as one kind, or nothing with the word count the
// file was written with, when found.
struct Reading {
    std::optional<std::string> json;
    int fileWords = 0;
    // A cell whose fourth coordinates are all zero.
    bool flat = false;
};

Reading readAs(SolidKind kind, std::string_view bytes)
{
    auto finish = [](const auto& decoded) {
        Reading reading{{}, decoded.fileWords};
        if (decoded.content)
            reading.json = contentJson(*decoded.content, decoded.fileWords);
        return reading;
    };
    switch (kind) {
    case SolidKind::Polyhedron:
        return finish(decodePolyhedronFile(bytes));
    case SolidKind::Cell: {
        SolidDecoded<SolidCell> decoded = decodeCellFile(bytes);
        Reading reading = finish(decoded);
        reading.flat =
            decoded.content &&
            std::ranges::all_of(decoded.content->faces, [](const SolidFace4& face) {
                return std::ranges::all_of(face.vertices, [](const SolidVertex4& vertex) {
                    return LongIsZero(vertex[3]);
                });
            });
        return reading;
    }
    case SolidKind::Polytope:
        return finish(decodePolytopeFile(bytes));
    }
    return {};
}

// Reads the numbers at the file's own word count when it is larger than
// ours, so that every digit written is shown.
Reading readAtFileWords(SolidKind kind, std::string_view bytes)
{
    Reading reading = readAs(kind, bytes);
    int words = std::clamp(reading.fileWords, kLongWordsMin, kLongWordsMax);
    if (words <= longWords())
        return reading;
    LongWordsScope scope(words);
    return readAs(kind, bytes);
}

std::optional<std::string> readSolid(std::string_view bytes, std::optional<SolidKind> kind)
{
    if (kind)
        return readAtFileWords(*kind, bytes).json;
    // Without a kind: a cell file whose fourth coordinates are all zero is a
    // polyhedron file; a file of neither structure may be a polytope file.
    Reading cell = readAtFileWords(SolidKind::Cell, bytes);
    if (cell.flat)
        return readAtFileWords(SolidKind::Polyhedron, bytes).json;
    return cell.json ? cell.json : readAtFileWords(SolidKind::Polytope, bytes).json;
}

} // namespace

int runSolid(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    std::optional<SolidKind> kind;
    if (std::optional<std::string> text = arguments.value("--kind")) {
        if (!(kind = parseKind(*text)))
            return usageError(err, "solid", N_("--kind needs polyhedron, cell or polytope"));
    }
    const std::string& file = arguments.operands.front();
    ConsoleHost host(err);
    std::optional<std::string> bytes = readWholeFile(file);
    if (!bytes) {
        showFileError(host, couldNotOpenMessage(file));
        return kUsageError;
    }
    std::optional<std::string> json = readSolid(*bytes, kind);
    if (!json) {
        showFileError(host, wrongFormatMessage(file));
        if (arguments.has("--json")) {
            JsonWriter refusal;
            refusal.beginObject().key("result").null().key("kind").null().key("words").null();
            writeMessages(refusal, host.messages());
            out << refusal.endObject().take() << '\n';
        }
        return kRefused;
    }
    out << *json;
    return kSuccess;
}

} // namespace kestrane::cli
