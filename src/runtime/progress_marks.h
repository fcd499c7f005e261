// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kestrane {

class Canvas;

// What a long command draws on the window while it runs (Build's ticks,
// Build4D's box with the cell count and a tick per cell). The window paints
// after a statement ends, so the command tells it after its marks and the
// window repaints at once; the marks are painted over the drawing only while
// the command runs, and stay readable afterwards.
class ProgressMarks {
public:
    struct Mark {
        enum class Shape { Box, Text, Line };
        Shape shape = Shape::Line;
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;
        std::string text;

        bool operator==(const Mark&) const = default;
    };

    // Marks the command from its construction to its destruction: a
    // command's marks replace the last command's.
    class Scope {
    public:
        explicit Scope(ProgressMarks& marks);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ProgressMarks& m_marks;
    };

    // A box in the window's brush, painted over the marks before it (which
    // are dropped).
    void box(int x1, int y1, int x2, int y2);
    void text(int x, int y, std::string text);
    void line(int x1, int y1, int x2, int y2);
    // Lets the window show the marks drawn so far.
    void show() const;

    bool running() const { return m_running; }
    const std::vector<Mark>& marks() const { return m_marks; }
    // Paints the marks while a command runs; nothing otherwise.
    void paint(Canvas& canvas) const;

    // Told after marks while a command runs: the desktop repaints the drawing
    // area at once (without taking input); elsewhere there is none.
    void setListener(std::function<void()> listener) { m_listener = std::move(listener); }
    // Drops the marks (a new run); the listener stays.
    void reset();

private:
    std::vector<Mark> m_marks;
    bool m_running = false;
    std::function<void()> m_listener;
};

} // namespace kestrane
