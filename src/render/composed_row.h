#pragma once

#include <QtGlobal>

#include <vector>

// Where the pixels of a row's columns `start` .. `end`-1 lie already: `pixels[0]` is column
// `start`'s. A row drawn once for many rows, or a row of a tile.
struct RowSource {
    int start;
    int end;
    const quint32* pixels;
};

// A row of an image written once, left to right, in groups of four pixels from the first
// 16-byte boundary: each group comes either straight from its sources or, where something is
// drawn over them, from a row composed aside. A row that is mostly background or tile is then
// read once and written once, instead of being put together in full and copied.
//
//   sources   |base......|tile......|tile......|base|
//   aside         [##]        [#]  [#]   [###]        groups a piece reaches, and the groups
//                                                     across a change of source or a wrap
class ComposedRow {
  public:
    // A row of `width` pixels into `target`, from `sources`, which cover 0 .. `width`-1 in
    // order. `aside` holds `width` pixels, `marks` width / 4 + 1 bytes, all zero; both are left
    // so for the next row.
    ComposedRow(quint32* target, int width, const std::vector<RowSource>& sources, quint32* aside,
                quint8* marks);
    // Columns `first` .. `end`-1 (within the row) copied aside from the sources, with the rest
    // of their groups, so that pieces can be drawn over them there.
    void takeAside(int first, int end);
    // Writes the row: with stores that bypass the cache when `streaming`.
    void write(bool streaming);

  private:
    void copyFromSources(int first, int end);

    quint32* m_target;
    int m_width;
    const std::vector<RowSource>& m_sources;
    quint32* m_aside;
    quint8* m_marks;
    int m_head;   // the columns before the first 16-byte boundary, always composed aside
    int m_groups; // whole groups of four from there; the columns after them are aside too
};
