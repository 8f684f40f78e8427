#pragma once
// A value held between two bounds.
#include "core/Property.h"

namespace hgl
{
// Writing Min or Max pulls the value into range but never reorders the bounds: a Max
// written below min leaves max < min with the value at max.
template <typename T> class Limit
{
    T GetMin() const { return min; }
    T GetMax() const { return max; }

    void SetMin(T v)
    {
        min = v;
        if (value < min) value = min;
    }

    void SetMax(T v)
    {
        max = v;
        if (value > max) value = max;
    }

    bool GetAtMin() const { return value == min; }
    bool GetAtMax() const { return value == max; }

    void InitPrivate()
    {
        Min.template Bind<&Limit::GetMin, &Limit::SetMin>(this);
        Max.template Bind<&Limit::GetMax, &Limit::SetMax>(this);
        AtMin.template Bind<&Limit::GetAtMin>(this);
        AtMax.template Bind<&Limit::GetAtMax>(this);
    }

  public:
    T value, min, max;

    Property<T> Min;
    Property<T> Max;
    Property<const bool> AtMin;
    Property<const bool> AtMax;

    Limit() : Limit(T(), T()) {}

    // The smaller of a and b becomes min, the larger max; the value starts at min.
    Limit(T a, T b)
    {
        if (a >= b)
        {
            min = b;
            max = a;
        }
        else
        {
            min = a;
            max = b;
        }
        value = min;
        InitPrivate();
    }

    Limit(const Limit &o) : value(o.value), min(o.min), max(o.max) { InitPrivate(); }

    Limit &operator=(const Limit &o)
    {
        value = o.value;
        min = o.min;
        max = o.max;
        return *this;
    }
};
} // namespace hgl
