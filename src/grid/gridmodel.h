#pragma once

#include "core/runtimeflags.h"

#include <array>

// One cell of the grid (TCellCoordinates).
struct CellCoordinates
{
    int column = 0;
    int row = 0;
    int top = 0;   // grid pixels: row * browser height
    int left = 0;  // grid pixels: column * browser width
    bool vacant = true;
};

// The 8 x 8 cells of the grid and the rules for where a new pane goes.
// Cell index = row * 8 + column; cell 0 is the top-left one.
class GridModel
{
public:
    static constexpr int Columns = 8;
    static constexpr int Rows = 8;
    static constexpr int CellCount = Columns * Rows;
    static constexpr int BrowserLimit = 64;

    // Gives every cell its coordinates for the browser size; with
    // resetVacancy every cell becomes vacant, otherwise vacancy is kept.
    void layout(int browserWidth, int browserHeight, bool resetVacancy);

    const CellCoordinates &cell(int index) const { return m_cells.at(index); }
    void setVacant(int index, bool vacant) { m_cells.at(index).vacant = vacant; }
    // The lowest vacant cell, or NoIndex.
    int lowestVacantCell() const;
    // The lowest free slot of a table of 64, or NoIndex.
    template<typename Slots>
    static int lowestFreeSlot(const Slots &table)
    {
        for (int i = 0; i < int(table.size()); ++i)
            if (!table[i])
                return i;
        return NoIndex;
    }
    static bool validCell(int index) { return index >= 0 && index < CellCount; }

private:
    std::array<CellCoordinates, CellCount> m_cells{};
};
