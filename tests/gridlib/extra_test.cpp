// The functions of gridlib_extra.h: special matrices and shifts, angles in degrees,
// moving-window statistics, scaling, typecast and validateattributes; and the causes an
// error value keeps through throw and catch. Expected values are octave-cli's where it
// has the function, else derived by hand from the documented definitions.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "gridlib.h"
#include "gridlib_extra.h"
#include "values.h"

using gridlib_test::col;
using gridlib_test::mat;
using gridlib_test::Mt;
using gridlib_test::row;
using gridlib_test::str;

namespace {

std::vector<double> vals(const Mt& m) { return std::vector<double>(m.cre(), m.cre() + m.numel()); }
Mt cell_of(std::initializer_list<Mt> v) {
  M<Mt> c = M<Mt>::alloc(1, v.size());
  std::size_t k = 0;
  for (const Mt& x : v) c.welem(k++) = x;
  return Mt(c);
}
// "identifier|message" of the error f raises, or "none".
template <class F> std::string error_of(F f) {
  try {
    f();
  } catch (const grl::exception& e) {
    return e.identifier() + "|" + e.message();
  }
  return "none";
}
void expect_near(const Mt& m, std::initializer_list<double> want) {
  ASSERT_EQ(m.numel(), want.size());
  std::size_t k = 0;
  for (double w : want) {
    const double v = double(m.cre()[k++]);
    if (std::isnan(w)) EXPECT_TRUE(std::isnan(v)) << "element " << k;
    else EXPECT_NEAR(v, w, 1e-4) << "element " << k;
  }
}
const double nan_v = std::nan("");

}  // namespace

TEST(Extra, SpecialMatrices) {
  EXPECT_EQ(vals(vander(row({2, 3, 4}))), (std::vector<double>{4, 9, 16, 2, 3, 4, 1, 1, 1}));
  EXPECT_EQ(vander(row({2, 3}), Mt(3.0)).cols(), 3u);
  EXPECT_EQ(vals(hankel(row({1, 2, 3}))), (std::vector<double>{1, 2, 3, 2, 3, 0, 3, 0, 0}));
  // Column wins the anti-diagonal conflict (3 against 4).
  EXPECT_EQ(vals(hankel(row({1, 2, 3}), row({4, 5, 6, 7}))),
            (std::vector<double>{1, 2, 3, 2, 3, 5, 3, 5, 6, 5, 6, 7}));
  EXPECT_EQ(vals(pascal(Mt(3.0))), (std::vector<double>{1, 1, 1, 1, 2, 3, 1, 3, 6}));
  EXPECT_EQ(vals(pascal(Mt(3.0), Mt(1.0))), (std::vector<double>{1, 1, 1, 0, -1, -2, 0, 0, 1}));
  EXPECT_EQ(vals(pascal(Mt(4.0), Mt(2.0))),
            (std::vector<double>{-1, 3, -3, 1, -1, 2, -1, 0, -1, 1, 0, 0, -1, 0, 0, 0}));
  EXPECT_TRUE(pascal(Mt(-2.0)).isempty());
  EXPECT_EQ(vals(compan(row({1, 2, 3, 4}))), (std::vector<double>{-2, 1, 0, -3, 0, 1, -4, 0, 0}));
  EXPECT_TRUE(compan(Mt(5.0)).isempty());
  EXPECT_EQ(vals(fftshift(row({1, 2, 3, 4, 5}))), (std::vector<double>{4, 5, 1, 2, 3}));
  EXPECT_EQ(vals(ifftshift(row({1, 2, 3, 4, 5}))), (std::vector<double>{3, 4, 5, 1, 2}));
  EXPECT_EQ(vals(ifftshift(fftshift(mat(3, 2, {1, 2, 3, 4, 5, 6})))), (std::vector<double>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(vals(fftshift(mat(3, 2, {1, 2, 3, 4, 5, 6}), Mt(2.0))), (std::vector<double>{4, 5, 6, 1, 2, 3}));
  EXPECT_EQ(error_of([] { hankel(Mt::zeros(2, 2)); }), "|hankel: C must be a vector");
  EXPECT_EQ(error_of([] { pascal(Mt(3.0), Mt(3.0)); }), "|pascal: K must be a scalar 0, 1 or 2");
  EXPECT_EQ(error_of([] { fftshift(row({1, 2}), Mt(0.0)); }), "|fftshift: DIM must be a positive integer");
}

TEST(Extra, Degrees) {
  EXPECT_EQ(vals(sind(row({30, 90, 180, 270, 360, -90, 150}))), (std::vector<double>{0.5, 1, 0, -1, 0, -1, 0.5}));
  EXPECT_EQ(vals(cosd(row({60, 90, 180, 270, -180}))), (std::vector<double>{0.5, 0, -1, 0, -1}));
  const std::vector<double> t = vals(tand(row({0, 45, 90, 135, 180, -45})));
  EXPECT_EQ(t[0], 0);
  EXPECT_EQ(t[1], 1);
  EXPECT_TRUE(std::isinf(t[2]));
  EXPECT_EQ(t[3], -1);
  EXPECT_EQ(t[5], -1);
  // The angle is reduced exactly: 1e20 degrees is 280 degrees.
  EXPECT_NEAR(double(sind(Mt(1e20)).cre()[0]), std::sin(280 * M_PI / 180), 1e-12);
  EXPECT_TRUE(std::isnan(double(sind(Mt(INFINITY)).cre()[0])));
  EXPECT_NEAR(double(atan2d(Mt(1.0), Mt(-1.0)).cre()[0]), 135, 1e-12);
  EXPECT_NEAR(double(asind(Mt(0.5)).cre()[0]), 30, 1e-12);
  EXPECT_NEAR(double(deg2rad(Mt(180.0)).cre()[0]), M_PI, 1e-15);
  EXPECT_NEAR(double(rad2deg(Mt(M_PI)).cre()[0]), 180, 1e-12);
  EXPECT_EQ(grl::class_of(deg2rad(grl::to_class(Mt(90.0), grl::mc_single))), grl::mc_single);
  EXPECT_EQ(error_of([] { deg2rad(grl::to_class(Mt(90.0), grl::mc_int8)); }),
            "|deg2rad: DEG must be a floating point class (double or single)");
}

TEST(Extra, InverseErrorFunctionsAndFft2) {
  // erf and erfc of the result give the argument back, far into the tails too.
  for (double y : {0.5, -0.9, 0.999999, 1e-10}) EXPECT_NEAR(std::erf(double(erfinv(Mt(y)).cre()[0])), y, 1e-15);
  for (double y : {1e-20, 1e-300, 0.01, 1.99}) {
    const double x = double(erfcinv(Mt(y)).cre()[0]);
    EXPECT_NEAR(std::erfc(x) / y, 1, 1e-13) << y;
  }
  const std::vector<double> ends = vals(erfinv(row({1, -1, 1.5, nan_v})));
  EXPECT_TRUE(std::isinf(ends[0]) && ends[0] > 0);
  EXPECT_TRUE(std::isinf(ends[1]) && ends[1] < 0);
  EXPECT_TRUE(std::isnan(ends[2]) && std::isnan(ends[3]));
  EXPECT_EQ(vals(erfcinv(row({0, 1, 2.5}))).at(1), 0);
  EXPECT_EQ(grl::class_of(erfinv(grl::to_class(Mt(0.5), grl::mc_single))), grl::mc_single);
  EXPECT_EQ(error_of([] { erfinv(grl::to_class(Mt(0.0), grl::mc_int8)); }), "|erfinv: X must be of class double or single");
  EXPECT_EQ(vals(fft2(mat(2, 2, {1, 3, 2, 4}))), (std::vector<double>{10, -4, -2, 0}));
  EXPECT_EQ(vals(ifft2(fft2(mat(2, 2, {1, 3, 2, 4})))), (std::vector<double>{1, 3, 2, 4}));
  const Mt padded = fft2(row({1, 2, 3}), Mt(2.0), Mt(4.0));
  EXPECT_EQ(padded.rows(), 2u);
  EXPECT_EQ(padded.cols(), 4u);
}

TEST(Extra, MovingWindows) {
  // An even window reaches one element further back than forward; the ends shrink.
  expect_near(movmean(row({1, 2, 3, 4, 5, 6}), Mt(4.0)), {1.5, 2, 2.5, 3.5, 4.5, 5});
  expect_near(movsum(row({1, 2, 3, 4, 5}), row({1, 0})), {1, 3, 5, 7, 9});
  expect_near(movmean(row({1, 2, 3, 4, 5}), Mt(3.0), str("Endpoints"), str("discard")), {2, 3, 4});
  expect_near(movmean(row({1, 2, 3, 4, 5}), Mt(3.0), str("Endpoints"), str("fill")), {nan_v, 2, 3, 4, nan_v});
  expect_near(movmean(row({1, 2, 3, 4, 5}), Mt(3.0), str("Endpoints"), Mt(0.0)), {0, 2, 3, 4, 0});
  expect_near(movstd(row({1, 2, 3, 4, 5}), Mt(3.0)), {0.7071, 1, 1, 1, 0.7071});
  expect_near(movvar(row({1, 2, 3, 4, 5}), Mt(3.0), Mt(1.0)), {0.25, 0.6667, 0.6667, 0.6667, 0.25});
  expect_near(movmedian(row({4, 1, 3, 2, 5}), Mt(3.0)), {2.5, 3, 2, 3, 3.5});
  expect_near(movprod(row({1, 2, 3, 4, 5}), Mt(3.0)), {2, 6, 24, 60, 20});
  expect_near(movmin(row({5, 4, 3, 2, 1}), row({0, 2})), {3, 2, 1, 1, 1});
  // NaN spreads unless omitted (movmax too).
  expect_near(movmax(row({1, nan_v, 3, 4}), Mt(3.0)), {nan_v, nan_v, nan_v, 4});
  expect_near(movmax(row({1, nan_v, 3, 4}), Mt(3.0), str("omitnan")), {1, 3, 4, 4});
  expect_near(movsum(row({nan_v, nan_v, 1}), Mt(1.0), str("omitnan")), {0, 0, 1});
  // Along the rows of a matrix, and a column stays a column.
  expect_near(movmean(mat(3, 3, {8, 3, 4, 1, 5, 9, 6, 7, 2}), Mt(2.0), Mt(2.0)), {8, 3, 4, 4.5, 4, 6.5, 3.5, 6, 5.5});
  EXPECT_EQ(movsum(col({1, 2, 3}), Mt(2.0)).rows(), 3u);
  EXPECT_TRUE(movsum(Mt(), Mt(3.0)).isempty());
  EXPECT_EQ(error_of([] { movmean(row({1, 2}), Mt(0.0)); }), "|movmean: window length K must be a finite positive scalar");
  EXPECT_EQ(error_of([] { movmean(row({1, 2}), Mt(2.0), str("Endpoints"), str("wrap")); }),
            "|movmean: 'Endpoints' must be 'shrink', 'discard', 'fill' or a numeric or logical scalar");
  EXPECT_EQ(error_of([] { movstd(row({1, 2}), Mt(2.0), Mt(2.0)); }), "|movstd: normalization W must be 0 or 1");
}

TEST(Extra, Scaling) {
  expect_near(normalize(row({1, 2, 4})), {-0.8729, -0.2182, 1.0911});
  expect_near(normalize(row({1, 2, 4}), str("range")), {0, 0.3333, 1});
  expect_near(normalize(row({1, 2, 4}), str("range"), row({-1, 1})), {-1, -0.3333, 1});
  expect_near(normalize(row({1, 2, 4}), str("center"), str("median")), {-1, 0, 2});
  expect_near(normalize(row({3, 4}), str("norm")), {0.6, 0.8});
  expect_near(normalize(row({3, 4}), str("norm"), Mt(INFINITY)), {0.75, 1});
  expect_near(normalize(row({1, 2, 4}), str("scale"), str("first")), {1, 2, 4});
  expect_near(normalize(row({1, 2, 4}), str("center"), Mt(1.0), str("scale"), Mt(2.0)), {0, 0.5, 1.5});
  expect_near(normalize(row({1, 2, 4}), str("zscore"), str("robust")), {-1, 0, 2});
  // Along dim 2 of a matrix; NaN is left out of the statistics and stays NaN.
  expect_near(normalize(mat(2, 2, {1, 3, 2, 5}), Mt(2.0)), {-0.7071, -0.7071, 0.7071, 0.7071});
  expect_near(normalize(row({1, nan_v, 3}), str("range")), {0, nan_v, 1});
  EXPECT_EQ(error_of([] { normalize(row({1, 2}), str("range"), str("norm")); }),
            "|normalize: only 'center' and 'scale' may be given together");
  EXPECT_EQ(error_of([] { normalize(row({1, 2}), str("sideways")); }), "|normalize: unknown method 'sideways'");

  expect_near(rescale(row({1, 2, 5})), {0, 0.25, 1});
  expect_near(rescale(row({1, 2, 5}), Mt(-1.0), Mt(1.0)), {-1, -0.5, 1});
  expect_near(rescale(row({1, 1})), {0, 0});
  expect_near(rescale(row({1, 2, 3}), str("InputMin"), Mt(2.0), str("InputMax"), Mt(2.5)), {0, 0, 1});
  EXPECT_EQ(error_of([] { rescale(row({1, 2}), Mt(3.0), Mt(1.0)); }),
            "|rescale: lower bound L must be smaller than upper bound U");

  expect_near(zscore(row({1, 2, 4})), {-0.8729, -0.2182, 1.0911});
  expect_near(zscore(row({1, 2, 4}), Mt(1.0)), {-1.0690, -0.2673, 1.3363});
  Mt z, mu, sigma;
  zscore(mat(2, 2, {1, 3, 2, 2}), i_o, z, mu, sigma);
  expect_near(z, {-0.7071, 0.7071, 0, 0});   // a constant column gives zeros
  expect_near(mu, {2, 2});
  expect_near(sigma, {1.4142, 0});

  expect_near(rms(row({1, 2, 3})), {2.1602});
  expect_near(rms(mat(2, 2, {3, 4, 0, 0}), str("all")), {2.5});
  Mt lo, hi;
  bounds(mat(2, 2, {3, 2, 1, 5}), Mt(2.0), i_o, lo, hi);
  expect_near(lo, {1, 2});
  expect_near(hi, {3, 5});
  expect_near(vecnorm(mat(2, 2, {3, 1, 4, 1})), {3.1623, 4.1231});
  expect_near(vecnorm(mat(2, 2, {3, 1, 4, 1}), Mt(2.0), Mt(2.0)), {5, 1.4142});
  expect_near(vecnorm(row({3, 4}), Mt(1.0)), {7});
  // Lanes without elements still give one value each.
  expect_near(rms(Mt::zeros(0, 3)), {nan_v, nan_v, nan_v});
  expect_near(vecnorm(Mt::zeros(0, 2)), {0, 0});
}

TEST(Extra, Typecast) {
  // This machine stores numbers least significant byte first.
  const Mt one = typecast(Mt(1.0), str("uint32"));
  EXPECT_EQ(vals(one), (std::vector<double>{0, 1072693248}));
  EXPECT_EQ(grl::class_of(one), grl::mc_uint32);
  EXPECT_EQ(vals(typecast(grl::to_class(Mt(1.0), grl::mc_single), str("uint8"))), (std::vector<double>{0, 0, 128, 63}));
  const Mt back = typecast(typecast(row({1.5, -2}), str("int16")), str("double"));
  EXPECT_EQ(vals(back), (std::vector<double>{1.5, -2}));
  EXPECT_EQ(typecast(grl::to_class(col({1, 2, 3, 4}), grl::mc_uint8), str("uint16")).rows(), 2u);
  // Every bit of a 64-bit value survives.
  const Mt big = typecast(grl::to_class(row({255, 255, 255, 255, 255, 255, 255, 255}), grl::mc_uint8), str("int64"));
  EXPECT_EQ(vals(big), (std::vector<double>{-1}));
  EXPECT_EQ(vals(swapbytes(grl::to_class(Mt(1.0), grl::mc_uint16))), (std::vector<double>{256}));
  EXPECT_EQ(error_of([] { typecast(grl::to_class(row({1, 2, 3}), grl::mc_uint8), str("uint16")); }),
            "|typecast: incorrect number of input values to make output value");
  EXPECT_EQ(error_of([] { typecast(str("ab"), str("uint8")); }),
            "|typecast: X must be a real numeric value (not logical, char, cell or structure)");
  EXPECT_EQ(error_of([] { typecast(Mt(1.0), str("cell")); }), "|typecast: cannot convert to cell class");
}

TEST(Extra, Validateattributes) {
  const Mt numeric = cell_of({str("numeric")});
  EXPECT_EQ(error_of([&] { validateattributes(Mt(2.0), numeric, cell_of({str("positive"), str("integer")})); }), "none");
  EXPECT_EQ(error_of([&] { validateattributes(Mt(-1.0), numeric, cell_of({str("positive")})); }),
            "Octave:expected-positive|input must be positive");
  EXPECT_EQ(error_of([&] { validateattributes(str("a"), numeric, Mt()); }),
            "Octave:invalid-type|input must be of class:\n\n  double int16 int32 int64 int8 single uint16 uint32 "
            "uint64 uint8\n\nbut was of class char");
  EXPECT_EQ(error_of([&] {
              validateattributes(row({1, 2}), cell_of({str("double")}), cell_of({str("size"), row({1, 3})}), str("f"),
                                 str("v"), Mt(3.0));
            }),
            "Octave:incorrect-size|f: v (argument #3) must be of size 1x3 but was 1x2");
  EXPECT_EQ(error_of([&] { validateattributes(Mt::zeros(3, 3), Mt(), cell_of({str("size"), row({nan_v, 2})})); }),
            "Octave:incorrect-size|input must be of size Nx2 but was 3x3");
  EXPECT_EQ(error_of([&] { validateattributes(Mt(3.0), Mt(), cell_of({str(">"), Mt(5.0)})); }),
            "Octave:expected-greater|input must be greater than 5.000000");
  EXPECT_EQ(error_of([&] { validateattributes(row({2, 1}), Mt(), cell_of({str("increasing")}), Mt(2.0)); }),
            "Octave:expected-increasing|input 2 must be increasing");
  EXPECT_EQ(error_of([&] { validateattributes(Mt(-1.0), Mt(), cell_of({str("positive")}), Mt(INFINITY)); }),
            "Octave:expected-positive|input inf must be positive");
  EXPECT_EQ(error_of([&] { validateattributes(Mt(3.0), Mt(), cell_of({str("numel"), Mt(2.0)})); }),
            "Octave:incorrect-numel|input must have 2 elements");
  EXPECT_EQ(error_of([&] { validateattributes(Mt(3.0), Mt(), cell_of({str("bogus")})); }),
            "Octave:invalid-input-arg|validateattributes: unknown ATTRIBUTE bogus");
  EXPECT_EQ(error_of([&] { validateattributes(Mt(3.0), str("double"), Mt()); }),
            "|validateattributes: CLASSES must be a cell array of strings");
  EXPECT_EQ(error_of([&] { validateattributes(cell_of({Mt(1.0)}), cell_of({str("cell")}), cell_of({str("nonempty")})); }),
            "none");
}

TEST(Extra, ThrownCausesAreCaught) {
  Mt err = MException(str("p:q"), str("outer %d"), Mt(1.0));
  err = addCause(err, MException(str("r:s"), str("inner")));
  Mt value;
  try {
    throw_M(err);
  } catch (const grl::exception& e) {
    value = grl::caught_value(e);
  }
  ASSERT_TRUE(value.holds_struct());
  const Mt& causes = grl::field(value, "cause");
  ASSERT_TRUE(causes.holds_cell());
  ASSERT_EQ(causes.held_cell().numel(), 1u);
  EXPECT_EQ(grl::text_of(grl::field(causes.held_cell().elem(0), "identifier")), "r:s");
  EXPECT_EQ(grl::text_of(grl::field(value, "message")), "outer 1");
  // rethrow of the caught value keeps them too.
  Mt again;
  try {
    rethrow(value);
  } catch (const grl::exception& e) {
    again = grl::caught_value(e);
  }
  EXPECT_EQ(grl::field(again, "cause").held_cell().numel(), 1u);
  // An error without causes gives the three fields it always had.
  try {
    error(str("plain"));
  } catch (const grl::exception& e) {
    EXPECT_EQ(grl::field_names(grl::caught_value(e)).size(), 3u);
  }
}

TEST(Extra, WarningStates) {
  warning(str("on"), str("all"));
  warning(str("off"), str("X:quiet"));
  const Mt s = warning();
  ASSERT_TRUE(s.holds_struct());
  ASSERT_GE(s.numel(), 2u);
  EXPECT_EQ(grl::text_of(s.st_->v[0]), "all");   // identifier of the first element
  testing::internal::CaptureStdout();
  grl::show_warning_states();
  const std::string shown = testing::internal::GetCapturedStdout();
  EXPECT_NE(shown.find("By default, warnings are enabled."), std::string::npos) << shown;
  EXPECT_NE(shown.find("    off  X:quiet"), std::string::npos) << shown;
  // The statement warning('query', id) prints the state of that identifier.
  testing::internal::CaptureStdout();
  grl::show_warning_state(str("X:quiet"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\"X:quiet\" warning state is \"off\"\n");
  warning(str("on"), str("X:quiet"));
}

// Expected values follow the documented definition: n digits after the point, before
// it when n is negative, or n significant digits; halves away from zero.
TEST(Extra, RoundToDigits) {
  expect_near(round_M(row({3.14159, -2.71828, 0.125}), Mt(2.0)), {3.14, -2.72, 0.13});
  expect_near(round_M(row({1234.5678, -1250, 49}), Mt(-2.0)), {1200, -1300, 0});
  expect_near(round_M(row({3.14159, 123456, -0.0012345}), Mt(3.0), str("significant")), {3.14, 123000, -0.00123});
  expect_near(round_M(row({1e300, 5e-324}), Mt(400.0)), {1e300, 5e-324});   // no overflow to Inf
  const Mt nan = round_M(row({NAN, INFINITY}), Mt(2.0));
  EXPECT_TRUE(std::isnan(nan.cre()[0]));
  EXPECT_TRUE(std::isinf(nan.cre()[1]));
  EXPECT_EQ(error_of([] { round_M(Mt(1.0), Mt(1.5)); }), "|round: N must be an integer scalar");
  EXPECT_EQ(error_of([] { round_M(Mt(1.0), Mt(2.0), str("digits")); }),
            "|round: TYPE must be 'decimals' or 'significant'");
  EXPECT_EQ(error_of([] { round_M(Mt(1.0), Mt(0.0), str("significant")); }),
            "|round: N must be a positive integer for 'significant'");
}

// mink and maxk: NaN after every number, ties in their order, k beyond the length
// keeps every element, indices through the second output.
TEST(Extra, SmallestAndLargest) {
  Mt b, at;
  mink(row({4, 1, nan_v, 3, 1, 7}), Mt(3.0), i_o, b, at);
  EXPECT_EQ(vals(b), (std::vector<double>{1, 1, 3}));
  EXPECT_EQ(vals(at), (std::vector<double>{2, 5, 4}));
  maxk(row({4, nan_v, 7}), Mt(5.0), i_o, b, at);
  expect_near(b, {7, 4, nan_v});
  EXPECT_EQ(vals(at), (std::vector<double>{3, 1, 2}));
  const Mt m = mat(3, 3, {3, 8, 7, 9, 1, 6, 2, 5, 4});   // columns
  EXPECT_EQ(vals(mink(m, Mt(2.0))), (std::vector<double>{3, 7, 1, 6, 2, 4}));
  const Mt r = maxk(m, Mt(1.0), Mt(2.0));
  EXPECT_EQ(r.rows(), 3u);
  EXPECT_EQ(vals(r), (std::vector<double>{9, 8, 7}));
  EXPECT_NE(error_of([] { mink(row({1, 2}), Mt(0.0)); }).find("K must be a positive integer"), std::string::npos);
  EXPECT_NE(error_of([] { maxk(row({1, 2})); }).find("Invalid call to maxk"), std::string::npos);
}

// xcorr against sums written out by hand: r(m) = sum x(n + m) y(n).
TEST(Extra, CrossCorrelation) {
  Mt r, lags;
  xcorr(row({1, 2, 3}), i_o, r, lags);
  EXPECT_EQ(vals(r), (std::vector<double>{3, 8, 14, 8, 3}));
  EXPECT_EQ(vals(lags), (std::vector<double>{-2, -1, 0, 1, 2}));
  // y shorter than x is padded with zeros; lag 1 pairs x(2..3) with y(1..2).
  EXPECT_EQ(vals(xcorr(row({1, 2, 3}), row({1, 1}))), (std::vector<double>{0, 1, 3, 5, 3}));
  EXPECT_EQ(vals(xcorr(row({1, 2, 3}), Mt(1.0))), (std::vector<double>{8, 14, 8}));
  expect_near(xcorr(row({1, 2, 3}), str("biased")), {1, 8.0 / 3, 14.0 / 3, 8.0 / 3, 1});
  expect_near(xcorr(row({1, 2, 3}), str("unbiased")), {3, 4, 14.0 / 3, 4, 3});
  expect_near(xcorr(row({1, 2, 3}), str("coeff")), {3.0 / 14, 8.0 / 14, 1, 8.0 / 14, 3.0 / 14});
  EXPECT_EQ(xcorr(col({1, 2})).cols(), 1u);   // a column gives a column
  EXPECT_NE(error_of([] { xcorr(mat(2, 2, {1, 2, 3, 4})); }).find("vectors"), std::string::npos);
  // An infinite lag is no count of lags (it was converted to an integer).
  EXPECT_NE(error_of([] { xcorr(row({1, 2, 3}), Mt(m_type(INFINITY))); }).find("MAXLAG"), std::string::npos);
  EXPECT_NE(error_of([] { maxk(row({1, 2, 3}), Mt(m_type(INFINITY))); }).find("K must be"), std::string::npos);
}

// discretize: [e(k), e(k+1)) and the last bin closed, or the other way round.
TEST(Extra, Discretize) {
  const Mt e = row({0, 1, 2, 4});
  expect_near(discretize(row({-1, 0, 0.5, 1, 3.9, 4, 5, nan_v}), e), {nan_v, 1, 1, 2, 3, 3, nan_v, nan_v});
  expect_near(discretize(row({0, 1, 4}), e, str("IncludedEdge"), str("right")), {1, 1, 3});
  expect_near(discretize(row({0.5, 3}), e, row({10, 20, 30})), {10, 30});
  EXPECT_NE(error_of([&] { discretize(row({1}), row({2, 1})); }).find("increasing"), std::string::npos);
}

TEST(Extra, TextPieces) {
  auto text = [](const Mt& m) { return grl::text_of(m); };
  auto elem = [](const Mt& m, std::size_t k) { return grl::text_of(m.held_cell().elem(k)); };
  EXPECT_EQ(text(strip(str("  ab c \t"))), "ab c");
  EXPECT_EQ(text(strip(str("--a--"), str("left"), str("-"))), "a--");
  EXPECT_EQ(text(strip(str("xxaxx"), str("x"))), "a");
  const Mt s = strip(cell_of({str(" a"), str("b ")}));
  ASSERT_TRUE(s.holds_cell());
  EXPECT_EQ(elem(s, 0), "a");
  EXPECT_EQ(elem(s, 1), "b");
  // Longer patterns first at each place, no overlaps.
  EXPECT_EQ(text(replace(str("abcab"), cell_of({str("a"), str("ab")}), cell_of({str("1"), str("2")}))), "2c2");
  EXPECT_EQ(text(replace(str("aaa"), str("aa"), str("b"))), "ba");
  EXPECT_EQ(text(erase(str("hello world"), str("o"))), "hell wrld");
  EXPECT_EQ(double(count(str("aaaa"), str("aa")).cre()[0]), 2);
  EXPECT_EQ(vals(count(cell_of({str("abab"), str("x")}), str("b"))), (std::vector<double>{2, 0}));
  // Runs of white space split once; the pieces form a column.
  const Mt parts = split(str("a  b\tc"));
  ASSERT_TRUE(parts.holds_cell());
  EXPECT_EQ(parts.held_cell().rows(), 3u);
  EXPECT_EQ(elem(parts, 2), "c");
  EXPECT_EQ(elem(split(str("1,2,,3"), str(",")), 2), "3");
  const Mt joined = join(cell_of({str("a"), str("b"), str("c")}), str("-"));
  ASSERT_TRUE(joined.holds_cell());
  EXPECT_EQ(elem(joined, 0), "a-b-c");
  EXPECT_EQ(text(pad(str("ab"), Mt(5.0))), "ab   ");
  EXPECT_EQ(text(pad(str("ab"), Mt(5.0), str("both"), str("*"))), "*ab**");
  const Mt padded = pad(cell_of({str("a"), str("abc")}), str("left"));
  EXPECT_EQ(elem(padded, 0), "  a");
  EXPECT_EQ(text(extractBefore(str("key=value"), str("="))), "key");
  EXPECT_EQ(text(extractAfter(str("key=value"), str("="))), "value");
  EXPECT_EQ(text(extractBefore(str("abcd"), Mt(3.0))), "ab");
  EXPECT_EQ(text(extractAfter(str("abcd"), Mt(3.0))), "d");
  EXPECT_EQ(text(extractAfter(str("abc"), str("z"))), "");
  EXPECT_NE(error_of([] { extractBefore(str("ab"), Mt(9.0)); }).find("POS"), std::string::npos);
  EXPECT_NE(error_of([] { strip(Mt(3.0)); }).find("STR must be"), std::string::npos);
  const Mt props = isstrprop(cell_of({str("a1"), str("B")}), str("upper"));
  ASSERT_TRUE(props.holds_cell());
  EXPECT_EQ(vals(props.held_cell().elem(0)), (std::vector<double>{0, 0}));
  EXPECT_EQ(vals(props.held_cell().elem(1)), (std::vector<double>{1}));
}

// Piecewise polynomials: ppval of mkpp's structure by Horner's rule written out, the
// shapes of several components, the structures of spline and pchip agreeing with their
// three-input forms everywhere (inside, at the breaks, outside), and structures whose
// parts disagree refused before anything is read.
TEST(Extra, PiecewisePolynomials) {
  const Mt pp = mkpp(row({0, 1, 3}), mat(2, 3, {1, 4, 2, 5, 3, 6}));  // rows [1 2 3], [4 5 6]
  // 1 t^2 + 2 t + 3 on [0, 1), 4 t^2 + 5 t + 6 (t = x - 1) from 1 on, both outward.
  expect_near(ppval(pp, row({-1, 0.5, 1, 2, 4, nan_v})), {2, 4.25, 6, 15, 57, nan_v});
  Mt b, c, n, k, d;
  unmkpp(pp, i_o, b, c, n, k, d);
  EXPECT_EQ(vals(b), (std::vector<double>{0, 1, 3}));
  EXPECT_EQ(c.rows(), 2u);
  EXPECT_EQ(vals(Mt(mat(1, 3, {double(n.cre()[0]), double(k.cre()[0]), double(d.cre()[0])}))),
            (std::vector<double>{2, 3, 1}));
  // Two components: rows (piece 1, component 1), (piece 1, component 2), ...
  const Mt two = mkpp(row({0, 1, 2}), mat(4, 2, {1, 2, 3, 4, 10, 20, 30, 40}), Mt(2.0));
  const Mt at = ppval(two, row({0.5, 1.5, 2}));
  ASSERT_EQ(at.shape(), (grl::sizes{2, 3}));
  expect_near(at, {10.5, 21, 31.5, 42, 33, 44});
  EXPECT_EQ(ppval(two, mat(2, 2, {0, 1, 2, 0})).shape(), (grl::sizes{2, 2, 2}));
  EXPECT_EQ(ppval(two, Mt(0.25)).shape(), (grl::sizes{2, 1}));
  const Mt x = row({0, 0.5, 2, 3, 4.5, 5}), y = row({1, -2, 0, 4, 3, 3.5});
  const Mt xi = row({-1, 0, 0.2, 0.5, 1.7, 3, 3.3, 4.9, 5, 6.5});
  for (const Mt& yy : {y, row({0, 1, 3, 2, 2, 0}), row({2, 5})}) {
    const Mt xx = yy.numel() == 2 ? row({1, 4}) : x;
    const Mt s1 = ppval(spline(xx, yy), xi), s3 = spline(xx, yy, xi);
    const Mt q1 = ppval(pchip(xx, yy), xi), q3 = pchip(xx, yy, xi);
    for (std::size_t e = 0; e < xi.numel(); ++e) {
      EXPECT_NEAR(double(s1.cre()[e]), double(s3.cre()[e]), 1e-9) << "spline at " << e;
      EXPECT_NEAR(double(q1.cre()[e]), double(q3.cre()[e]), 1e-9) << "pchip at " << e;
    }
  }
  // Three points without end slopes: one parabola over the whole range.
  const Mt p3 = spline(row({0, 1, 3}), row({2, 5, 4}));
  EXPECT_EQ(vals(grl::field(p3, "breaks")), (std::vector<double>{0, 3}));
  expect_near(ppval(p3, row({1, 3})), {5, 4});
  // End slopes given: the derivative at the ends is theirs.
  const Mt pc = spline(row({0, 1, 2}), row({7, 0, 1, 0, -3}));
  const Mt h = row({1e-7, 2 - 1e-7});
  const Mt f0 = ppval(pc, row({0, 2})), f1 = ppval(pc, h);
  EXPECT_NEAR((double(f1.cre()[0]) - double(f0.cre()[0])) / 1e-7, 7, 1e-4);
  EXPECT_NEAR((double(f0.cre()[1]) - double(f1.cre()[1])) / 1e-7, -3, 1e-4);
  // A structure whose coefs have fewer rows than pieces * dim, or a dim that is no
  // count, is refused.
  Mt bad = pp;
  grl::field_ref(bad, "dim") = Mt(2.0);
  EXPECT_NE(error_of([&] { ppval(bad, Mt(1.0)); }).find("pp-form structure"), std::string::npos);
  grl::field_ref(bad, "dim") = Mt(0.5);
  EXPECT_NE(error_of([&] { unmkpp(bad); }).find("piecewise polynomial"), std::string::npos);
  EXPECT_NE(error_of([] { mkpp(row({0, 1, 2}), row({1, 2, 3})); }).find("reshape"), std::string::npos);
  EXPECT_NE(error_of([] { spline(row({0, 1, 1}), row({1, 2, 3})); }).find("strictly monotonic"), std::string::npos);
}

// inputParser where octave-cli gives no sound answer or no answer at all: a name without
// its value, a validator that is no handle, PartialMatching and CaseSensitive, and the
// parser shared by a copy.
TEST(Extra, InputParser) {
  const Mt positive = grl::anon<1>("@(x) x > 0", [](const Mt& v) { return Mt(grl::boolean(double(v.cre()[0]) > 0)); });
  Mt p = inputParser();
  addParameter(p, str("Tolerance"), Mt(1.0), positive);
  addSwitch(p, str("quiet"));
  Mt q = p;   // the same parser
  grl::field_ref(q, "PartialMatching") = grl::boolean(true);
  parse(p, str("tol"), Mt(0.5));
  EXPECT_EQ(double(grl::field(grl::field(p, "Results"), "Tolerance").cre()[0]), 0.5);
  EXPECT_EQ(double(grl::field(grl::field(q, "Results"), "quiet").cre()[0]), 0.0);
  EXPECT_NE(error_of([&] { parse(p, str("Tolerance")); }).find("no value given for parameter 'TOLERANCE'"),
            std::string::npos);
  EXPECT_NE(error_of([&] { parse(p, str("Tolerance"), Mt(-1.0)); }).find("failed validation of TOLERANCE"),
            std::string::npos);
  grl::field_ref(p, "CaseSensitive") = grl::boolean(true);
  EXPECT_NE(error_of([&] { parse(p, str("TOL"), Mt(2.0)); }).find("'TOL' is not a valid parameter"), std::string::npos);
  EXPECT_NE(error_of([&] { addOptional(p, str("late"), Mt(1.0)); }).find("can't have Optional"), std::string::npos);
  EXPECT_NE(error_of([&] { addParameter(p, str("v"), Mt(1.0), Mt(5.0)); }).find("VALIDATOR must be a function handle"),
            std::string::npos);
  EXPECT_NE(error_of([&] { grl::field_ref(p, "Results") = Mt(1.0); }).find("can not be set"), std::string::npos);
  EXPECT_NE(error_of([&] { parse(Mt(1.0), Mt(2.0)); }).find("must be an inputParser"), std::string::npos);
  const Mt cls = class_M(p);
  EXPECT_EQ(std::string(cls.cre(), cls.cre() + cls.numel()), "inputParser");
  EXPECT_TRUE(double(isobject(p).cre()[0]) != 0);
}

// Text dates where octave-cli's answers depend on the clock or are not compared: twelve
// AM is hour 0, two-digit years fall within 50 years of this one, a month past 12 or a
// text left over is refused, and blanks around the text are ignored.
TEST(Extra, TextDates) {
  expect_near(datevec(str("12:15 AM 2021-01-02"), str("HH:MM PM yyyy-mm-dd")), {2021, 1, 2, 0, 15, 0});
  expect_near(datevec(str("12:15 PM 2021-01-02"), str("HH:MM PM yyyy-mm-dd")), {2021, 1, 2, 12, 15, 0});
  const double y99 = double(datevec(str("99-01-02"), str("yy-mm-dd")).cre()[0]);
  EXPECT_TRUE(y99 == 1999 || y99 == 2099);
  EXPECT_EQ(double(datevec(str("05-01-02"), str("yy-mm-dd")).cre()[0]), 2005.0);
  expect_near(datevec(str("  2021-03-04  ")), {2021, 3, 4, 0, 0, 0});
  EXPECT_NE(error_of([] { datevec(str("2021-13-04"), str("yyyy-mm-dd")); }).find("not parsed"), std::string::npos);
  EXPECT_NE(error_of([] { datevec(str("2021-03-04x")); }).find("standard formats"), std::string::npos);
  EXPECT_NE(error_of([] { datevec(Mt(1.0), str("yyyy")); }).find("DATE must be a string"), std::string::npos);
}
