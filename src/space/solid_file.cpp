// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/solid_file.h"

#include "space/solid_file_fields.h"

namespace kestrane {

namespace {

// Every vertex line holds four long numbers, in both kinds of file.
constexpr int kNumbersPerVertex = 4;
constexpr int kMinimumEntries = 2;

class SolidDecoder {
public:
    explicit SolidDecoder(std::string_view bytes) : m_reader(bytes) {}

    std::optional<int> count() { return m_reader.count(1); }

    template <typename Vertex>
    bool face(std::vector<Vertex>& vertices)
    {
        std::optional<int> entries = m_reader.count(kMinimumEntries);
        if (!entries || (m_fileWords == 0 && !takeWordCount()))
            return false;
        vertices.reserve(static_cast<std::size_t>(*entries));
        for (int entry = 0; entry < *entries; ++entry) {
            Vertex& vertex = vertices.emplace_back();
            for (std::size_t index = 0; index < kNumbersPerVertex; ++index) {
                std::optional<LongNum> number = m_reader.longNum(m_fileWords);
                if (!number)
                    return false;
                if (index < vertex.size())
                    vertex[index] = std::move(*number);
            }
        }
        return true;
    }

    template <typename Face>
    bool faces(std::vector<Face>& faces)
    {
        std::optional<int> faceCount = count();
        if (!faceCount)
            return false;
        faces.resize(static_cast<std::size_t>(*faceCount));
        for (Face& face : faces) {
            if (!this->face(face.vertices))
                return false;
        }
        return true;
    }

    template <typename Content>
    SolidDecoded<Content> finish(Content content, bool read)
    {
        SolidDecoded<Content> decoded;
        decoded.fileWords = m_fileWords;
        if (read && m_reader.atEnd())
            decoded.content = std::move(content);
        else
            decoded.errorByte = m_reader.position();
        return decoded;
    }

private:
    // The first vertex line tells the word count: four numbers of words + 1
    // fields each.
    bool takeWordCount()
    {
        int fields = m_reader.fieldsOnLine();
        int words = fields / kNumbersPerVertex - 1;
        if (fields % kNumbersPerVertex != 0 || words < 1 || words > kLongWordsMax)
            return false;
        m_fileWords = words;
        return true;
    }

    SolidFieldReader m_reader;
    int m_fileWords = 0;
};

class SolidEncoder {
public:
    void count(std::size_t value, std::size_t minimum)
    {
        if (value < minimum || value > kIntegerFieldMax)
            m_writable = false;
        else
            appendIntegerField(m_bytes, static_cast<int>(value));
    }

    template <typename Vertex>
    void face(const std::vector<Vertex>& vertices)
    {
        count(vertices.size(), kMinimumEntries);
        m_bytes += kLineEnd;
        for (const Vertex& vertex : vertices) {
            for (const LongNum& number : vertex)
                this->number(number);
            // A polyhedron's vertex line still holds four numbers.
            for (std::size_t index = vertex.size(); index < kNumbersPerVertex; ++index)
                appendZeroField(m_bytes, m_words);
            m_bytes += kLineEnd;
        }
        m_bytes += kLineEnd;
        m_bytes += kLineEnd;
    }

    template <typename Face>
    void faces(const std::vector<Face>& faces)
    {
        count(faces.size(), 1);
        for (const Face& face : faces)
            this->face(face.vertices);
    }

    std::optional<std::string> finish()
    {
        if (!m_writable)
            return {};
        return std::move(m_bytes);
    }

private:
    void number(const LongNum& number)
    {
        if (m_words == 0)
            m_words = number.wordCount();
        else if (number.wordCount() != m_words)
            m_writable = false;
        appendLongNumField(m_bytes, number);
    }

    std::string m_bytes;
    int m_words = 0;
    bool m_writable = true;
};

} // namespace

SolidDecoded<SolidPolyhedron> decodePolyhedronFile(std::string_view bytes)
{
    SolidDecoder decoder(bytes);
    SolidPolyhedron polyhedron;
    bool read = decoder.faces(polyhedron.faces);
    return decoder.finish(std::move(polyhedron), read);
}

SolidDecoded<SolidCell> decodeCellFile(std::string_view bytes)
{
    SolidDecoder decoder(bytes);
    SolidCell cell;
    bool read = decoder.faces(cell.faces);
    return decoder.finish(std::move(cell), read);
}

SolidDecoded<SolidPolytope> decodePolytopeFile(std::string_view bytes)
{
    SolidDecoder decoder(bytes);
    SolidPolytope polytope;
    std::optional<int> cellCount = decoder.count();
    bool read = cellCount.has_value();
    if (read) {
        polytope.cells.resize(static_cast<std::size_t>(*cellCount));
        for (SolidCell& cell : polytope.cells) {
            if (!(read = decoder.faces(cell.faces)))
                break;
        }
    }
    return decoder.finish(std::move(polytope), read);
}

std::optional<std::string> encodePolyhedronFile(const SolidPolyhedron& polyhedron)
{
    SolidEncoder encoder;
    encoder.faces(polyhedron.faces);
    return encoder.finish();
}

std::optional<std::string> encodeCellFile(const SolidCell& cell)
{
    SolidEncoder encoder;
    encoder.faces(cell.faces);
    return encoder.finish();
}

std::optional<std::string> encodePolytopeFile(const SolidPolytope& polytope)
{
    SolidEncoder encoder;
    encoder.count(polytope.cells.size(), 1);
    for (const SolidCell& cell : polytope.cells)
        encoder.faces(cell.faces);
    return encoder.finish();
}

} // namespace kestrane
