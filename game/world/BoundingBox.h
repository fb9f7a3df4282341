// BoundingBox: an axis-aligned integer rectangle whose edges are inclusive for collision.
#pragma once

class BoundingBox {
public:
    // The box (0, 0, 0, 0).
    BoundingBox() = default;
    // A box with the given edges.
    BoundingBox(int left, int top, int right, int bottom);

    // Replaces all four edges.
    void setBounds(int left, int top, int right, int bottom);
    // The left edge.
    int getLeftBound() const { return _left; }
    // The top edge.
    int getTopBound() const { return _top; }
    // The right edge.
    int getRightBound() const { return _right; }
    // The bottom edge.
    int getBottomBound() const { return _bottom; }

    // The box shifted by the offset.
    BoundingBox movedBy(int dx, int dy) const;
    // The one-pixel column or row just outside an edge, at the distance from it: what movement
    // toward that side would touch first.
    BoundingBox columnLeftOf(int distance) const;
    BoundingBox columnRightOf(int distance) const;
    BoundingBox rowAbove(int distance) const;
    BoundingBox rowBelow(int distance) const;
    // The box without its lowest rows (a step the body climbs); whole when not taller than them.
    BoundingBox withoutBottomRows(int rows) const;

    // True when the boxes overlap, shared edges and corners included.
    static int checkCollision(const BoundingBox* a, const BoundingBox* b);

    // Outlines the box shifted by the offset (editor and debug views).
    void draw(int offsetX, int offsetY, float r, float g, float b, float a) const;
    // Outlines the box where it is.
    void draw(float r, float g, float b, float a) const;
    // Writes the corners to standard output.
    void print() const;

private:
    int _left = 0;
    int _top = 0;
    int _right = 0;
    int _bottom = 0;
};
