// The two drawing passes of a grid on a GDI surface: background cells and holes, then digits, marks and lines.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "puzzle/grid.h"
#include "render/draw_surface.h"
#include "render/grid_drawing.h"

/*
 * The background pass: holes, every cell triangle filled with the ground and
 * outlined, the hexagon centre dots and the boundary lines (inner lines 1
 * pixel, outer lines outerBoundaryWidth, in boundaryColour; from `lines` when
 * the caller keeps them). Digits and notes never reach a dot or a line, so
 * drawing those under the foreground rather than over it changes no pixel,
 * and a paint of a few cells need not draw them again. It saves the reference point; the foreground pass restores it,
 * so both passes may move it freely. The passes read the grid only: it
 * must have been prepared (puzzle/preparation.h) since it was last loaded,
 * restored or resized.
 */
void drawBackground(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                    const BoundaryLines* lines = nullptr);
/*
 * The items of foregroundItems (render/grid_drawing.h) that meet shell.only,
 * in their order: digits and candidates (or digits and links, then the dots
 * and lines again over the links), the hint's outline and the scroll arrows.
 * Both passes end with the surface's pen, brush and font released, so
 * their DC may be deleted at once; whoever draws after them (the marked
 * hexagons) calls releaseSurfaceObjects(s) before deleting the DC.
 */
void drawForeground(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                    const ForegroundView& shell);
/*
 * One item of the foreground: the only way the pass draws anything, so that
 * what a picture lists is what the window shows. The reference point must be
 * on the surface's origin, as foregroundItems took it; the window's own kinds
 * draw nothing here.
 */
void drawForegroundItem(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                        const ForegroundView& shell, const PictureItem& item);

// The hexagon centre dots and the boundary lines (only those meeting box): they change only with the layout.
void drawDotsAndBoundaries(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                           const BoundaryLines* lines = nullptr, const DeviceBox& box = DeviceBox());
void drawDigit(const Grid& g, const GridView& view, DrawSurface& s, uint32_t colour, int16_t cell, char character);
void drawCandidates(const Grid& g, const GridView& view, DrawSurface& s, int16_t cell);
// Where the digits of a view put ink around their cells' centres, measured with the surface's DC.
DigitInk measureDigitInk(DrawSurface& s, const GridView& view);
// Inner lines with the links' thin pen, outer lines with outerBoundaryWidth, both in colour; only those meeting box.
void drawBoundaries(const Grid& g, const BoundaryLines& lines, DrawSurface& s, const GridView& view, uint32_t colour,
                    const DeviceBox& box = DeviceBox());
// Every cell code of the list as its triangle: a pen of penColour 2 pixels wide at 96 dpi, filled with fillColour.
void fillCellList(const Grid& g, const GridView& view, DrawSurface& s, const TextList& cells, uint32_t penColour,
                  uint32_t fillColour);
// The hexagon of six cells around corner point `cornerIndex` (a position in cornerPoints), outlined 1 mm wide.
void drawMarkHexagon(const Grid& g, const GridView& view, DrawSurface& s, int16_t cornerIndex, uint32_t colour);
