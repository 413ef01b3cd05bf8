// The slopes at the points of the piecewise cubics that interp1, spline and pchip use
// (internal, not installed). The points x must be increasing, at least two.
#ifndef GRIDLIB_POLY_SLOPES_H
#define GRIDLIB_POLY_SLOPES_H

#include <vector>

#include "gridlib.h"

namespace grl {
namespace la {
// The not-a-knot spline's slopes, or (shape_preserving) pchip's.
std::vector<m_type> cubic_slopes(const std::vector<m_type>& x, const std::vector<m_type>& y, bool shape_preserving);
// The spline whose end slopes are given.
std::vector<m_type> cubic_slopes_clamped(const std::vector<m_type>& x, const std::vector<m_type>& y, m_type first,
                                         m_type last);
}  // namespace la
}  // namespace grl

#endif
