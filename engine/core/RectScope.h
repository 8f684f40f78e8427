#pragma once
// 2D areas: the abstract base and the rectangle with computed right and bottom edges.
#include <utility>

#include "core/Property.h"

namespace hgl
{
template <typename T> class ScopeBase2D
{
  public:
    virtual ~ScopeBase2D() = default;

    // Whether (x, y) lies inside the area; the base has no area.
    virtual bool PointIn(T, T) const { return false; }

    // The same asked of a non-const area. Areas may override either form; this one
    // answers with the const form unless overridden.
    virtual bool PointIn(T x, T y) { return std::as_const(*this).PointIn(x, y); }
};

// Left, Top, Width and Height, with Right and Bottom as properties. Writing Right or
// Bottom moves the rectangle; its size stays.
template <typename T> class RectScope2 : public ScopeBase2D<T>
{
    T GetRight() const { return Left + Width; }
    void SetRight(T v) { Left = v - Width; }
    T GetBottom() const { return Top + Height; }
    void SetBottom(T v) { Top = v - Height; }

    void InitPrivate()
    {
        Right.template Bind<&RectScope2::GetRight, &RectScope2::SetRight>(this);
        Bottom.template Bind<&RectScope2::GetBottom, &RectScope2::SetBottom>(this);
    }

  public:
    T Left = 0, Top = 0, Width = 0, Height = 0;

    Property<T> Right;
    Property<T> Bottom;

    RectScope2() { InitPrivate(); }
    RectScope2(T left, T top, T width, T height) : Left(left), Top(top), Width(width), Height(height)
    {
        InitPrivate();
    }

    // The properties of a copy are bound to the copy, never to the source.
    RectScope2(const RectScope2 &o)
        : ScopeBase2D<T>(), Left(o.Left), Top(o.Top), Width(o.Width), Height(o.Height)
    {
        InitPrivate();
    }

    RectScope2 &operator=(const RectScope2 &o)
    {
        Left = o.Left;
        Top = o.Top;
        Width = o.Width;
        Height = o.Height;
        return *this;
    }

    void Set(T left, T top, T width, T height)
    {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }

    // Left and top edges inside, right and bottom edges outside; an empty or negative
    // size contains no point.
    bool PointIn(T x, T y) const override
    {
        const T dx = x - Left;
        const T dy = y - Top;
        return dx >= 0 && dx < Width && dy >= 0 && dy < Height;
    }

    bool PointIn(T x, T y) override { return std::as_const(*this).PointIn(x, y); }

    bool operator==(const RectScope2 &o) const
    {
        return Left == o.Left && Top == o.Top && Width == o.Width && Height == o.Height;
    }
};
} // namespace hgl
