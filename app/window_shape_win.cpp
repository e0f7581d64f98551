// The window shape on GDI: regions from the layout's rectangles, polygons and discs, and their handover.
#include "app/window_shape_win.h"

#include <vector>

namespace {

OwnedRegion regionOfRect(const ShapeRect& r) {
    return makeRectRegion(r.left, r.top, r.right, r.bottom);
}

OwnedRegion regionOfPolygon(const ShapePolygon& polygon) {
    std::vector<POINT> points;
    points.reserve(polygon.points.size());
    for (const ShapePoint& p : polygon.points) points.push_back(POINT{p.x, p.y});
    return makePolygonRegion(points.data(), static_cast<int>(points.size()), ALTERNATE);
}

OwnedRegion regionOfDisc(const ShapeDisc& d) {
    return OwnedRegion(CreateEllipticRgn(d.left, d.top, d.right, d.bottom));
}

// into = into OR piece; a piece that could not be made adds nothing.
void addRegion(OwnedRegion& into, const OwnedRegion& piece) {
    if (into && piece) CombineRgn(into.get(), into.get(), piece.get(), RGN_OR);
}

OwnedRegion buildGridPart(const WindowShape& shape) {
    OwnedRegion part = makeRectRegion(0, 0, 0, 0);
    for (const ShapePolygon& h : shape.hexagons) addRegion(part, regionOfPolygon(h));
    for (const ShapeDisc& d : shape.discs) addRegion(part, regionOfDisc(d));
    for (const ShapePolygon& t : shape.arrowTriangles) addRegion(part, regionOfPolygon(t));
    OwnedRegion area = regionOfRect(shape.gridClip);
    if (part && area) CombineRgn(part.get(), part.get(), area.get(), RGN_AND);
    return part;
}

}  // namespace

OwnedRegion buildShapeRegion(const WindowShape& shape) {
    if (!shape.present) return OwnedRegion();
    OwnedRegion region = regionOfRect(shape.caption);
    addRegion(region, regionOfRect(shape.panel));
    addRegion(region, buildGridPart(shape));
    return region;
}

/*
 * The region handed over is a copy made outside the program's counted
 * holders: it leaves the program's hands at once, so it must not stay in the
 * count of live objects. It is deleted here only when the window refuses it.
 */
bool applyWindowShape(HWND window, const WindowShape& shape, bool redraw) {
    if (!shape.present) {
        removeWindowShape(window);
        return true;
    }
    OwnedRegion built = buildShapeRegion(shape);
    if (!built) return false;
    HRGN handed = CreateRectRgn(0, 0, 0, 0);
    if (!handed) return false;
    if (CombineRgn(handed, built.get(), nullptr, RGN_COPY) == ERROR || !SetWindowRgn(window, handed, redraw ? TRUE : FALSE)) {
        DeleteObject(handed);
        return false;
    }
    return true;
}

void removeWindowShape(HWND window) {
    SetWindowRgn(window, nullptr, TRUE);
}
