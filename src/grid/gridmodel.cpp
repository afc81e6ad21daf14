#include "grid/gridmodel.h"

void GridModel::layout(int browserWidth, int browserHeight, bool resetVacancy)
{
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            CellCoordinates &c = m_cells[row * Columns + column];
            if (resetVacancy)
                c.vacant = true;
            c.column = column;
            c.row = row;
            c.top = row * browserHeight;
            c.left = column * browserWidth;
        }
    }
}

int GridModel::lowestVacantCell() const
{
    for (int i = 0; i < CellCount; ++i)
        if (m_cells[i].vacant)
            return i;
    return NoIndex;
}
