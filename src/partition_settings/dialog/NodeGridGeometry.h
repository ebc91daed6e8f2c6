// The node grid's geometry, in twips: 20 rows on the movable sheet picNode,
// one row every 360 twips from the top 120. The sheet is as high as the rows
// filled need, and the scroll bar works only when they do not fit the window
// Picture1.
#pragma once

namespace nodeGrid {

inline constexpr int Rows = 20;
inline constexpr int RowPitch = 360;
inline constexpr int FirstRowTop = 120;

// Top of the maximum box txtNode of a row.
constexpr int boxTop(int row) { return FirstRowTop + RowPitch * row; }
// Top of the name label lblNode of a row: rows 2 to 7 sit 30 twips lower than their box.
constexpr int nameTop(int row) { return boxTop(row) + (row >= 2 && row <= 7 ? 30 : 0); }
// Top of the hidden identifier label lblNodeTypeID of a row: rows 13 to 19 sit 150 twips lower.
constexpr int typeIdTop(int row) { return boxTop(row) + (row >= 13 ? 150 : 0); }

// Height of picNode with `filled` rows filled.
constexpr int sheetHeight(int filled) { return (filled + 1) * RowPitch - 100; }
// True when `filled` rows need the scroll bar beside a window `windowHeight` high.
constexpr bool needsScrolling(int filled, int windowHeight) { return (filled + 1) * RowPitch >= windowHeight; }

} // namespace nodeGrid
