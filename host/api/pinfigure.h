#pragma once

#include "hostexport.h"

#include <QString>
#include <Qt>

namespace Utils {

/// One port of the figure a generator dialog shows: side 0 is the input
/// side, 1 the output side.
class IPCORE_API_EXPORT PinFigure
{
public:
    PinFigure() = default;
    PinFigure(const QString &label, int side, bool bus, Qt::AlignmentFlag alignment)
        : m_label(label)
        , m_side(side)
        , m_bus(bus)
        , m_alignment(alignment)
    {}

    QString label() const { return m_label; }
    int side() const { return m_side; }
    bool isBus() const { return m_bus; }
    Qt::AlignmentFlag alignment() const { return m_alignment; }

    bool operator==(const PinFigure &other) const
    {
        return m_label == other.m_label && m_side == other.m_side && m_bus == other.m_bus
               && m_alignment == other.m_alignment;
    }
    bool operator!=(const PinFigure &other) const { return !(*this == other); }

private:
    QString m_label;
    int m_side = 0;
    bool m_bus = false;
    Qt::AlignmentFlag m_alignment = Qt::AlignLeft;
};

} // namespace Utils
