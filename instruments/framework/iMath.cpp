#include "instruments/framework/iMath.h"

#include "platform/Exception.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace {

// A count beyond the arrays would read past their ends: only the points that exist are used.
int UsablePoints(int n, std::initializer_list<const std::vector<double>*> arrays) {
    int available = n;
    for (const auto* array : arrays)
        available = std::min(available, int(array->size()) - 1);
    return std::max(available, 0);
}

int ClosestAbscissa(const std::vector<double>& xa, int n, double x) {
    int closest = 1;
    double distance = std::fabs(x - xa[1]);
    for (int i = 2; i <= n; ++i) {
        if (std::fabs(x - xa[i]) < distance) {
            closest = i;
            distance = std::fabs(x - xa[i]);
        }
    }
    return closest;
}

// The correction of one column of the Neville tableau: the path through the tableau stays
// as close to the middle as it can.
double TableauCorrection(const std::vector<double>& c, const std::vector<double>& d, int n, int m,
                         int& ns) {
    if (2 * ns < n - m) return c[ns + 1];
    return d[ns--];
}

const char* const PolynomialError = "Polynomial Interpolation Error - Pause in Routine Data";
const char* const RationalError = "Rational Interpolation Error - Pause in Routine Data";

} // namespace

double DegToRad(double x) {
    return x * std::numbers::pi / 180.0;
}

double RadToDeg(double x) {
    return x * 180.0 / std::numbers::pi;
}

double arctan2(double y, double x) {
    return std::atan2(y, x);
}

double Log10(double x) {
    return std::log10(x);
}

double Power(double base, double exponent) {
    // Extended precision keeps exact powers such as 10^2 exact after rounding back to double.
    return double(std::exp(static_cast<long double>(exponent) * std::log((long double)base)));
}

void Spline(const std::vector<double>& x, const std::vector<double>& y, int n, double, double,
            std::vector<double>& y2) {
    n = UsablePoints(n, {&x, &y});
    y2.assign(std::size_t(n) + 1, 0.0);
    // Fewer than two points have no segment, hence no curvature.
    if (n < 2) return;
    std::vector<double> u(std::size_t(n) + 1, 0.0);
    const double d1 = (y[2] - y[1]) / (x[2] - x[1]);
    const double dn = (y[n] - y[n - 1]) / (x[n] - x[n - 1]);
    if (d1 <= 0.99e30) {
        y2[1] = -0.5;
        u[1] = 3.0 / (x[2] - x[1]) * ((y[2] - y[1]) / (x[2] - x[1]) - d1);
    }
    for (int i = 2; i <= n - 1; ++i) {
        const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        u[i] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
        u[i] = (6.0 * u[i] / (x[i + 1] - x[i - 1]) - sig * u[i - 1]) / p;
    }
    double qn = 0.0;
    double un = 0.0;
    if (dn <= 0.99e30) {
        qn = 0.5;
        un = 3.0 / (x[n] - x[n - 1]) * (dn - (y[n] - y[n - 1]) / (x[n] - x[n - 1]));
    }
    y2[n] = (un - qn * u[n - 1]) / (qn * y2[n - 1] + 1.0);
    for (int k = n - 1; k >= 1; --k)
        y2[k] = y2[k] * y2[k + 1] + u[k];
}

void SplineInterpolation(const std::vector<double>& xa, const std::vector<double>& ya,
                         const std::vector<double>& y2a, int n, double x, double& y) {
    n = UsablePoints(n, {&xa, &ya, &y2a});
    // One point or none brackets nothing: the same failure as two equal abscissae.
    if (n < 2) throw Exception("Splint Error - xa's must be distinct");
    int klo = 1;
    int khi = n;
    while (khi - klo > 1) {
        const int k = (khi + klo) / 2;
        if (x < xa[k])
            khi = k;
        else
            klo = k;
    }
    const double h = xa[khi] - xa[klo];
    if (h == 0.0) throw Exception("Splint Error - xa's must be distinct");
    const double a = (xa[khi] - x) / h;
    const double b = (x - xa[klo]) / h;
    y = a * ya[klo] + b * ya[khi] +
        ((a * a * a - a) * y2a[klo] + (b * b * b - b) * y2a[khi]) * (h * h) / 6.0;
}

void PolynomialInterpolation(const std::vector<double>& xa, const std::vector<double>& ya, int n,
                             double x, double& y, double& dy) {
    n = UsablePoints(n, {&xa, &ya});
    if (n < 1) throw Exception(PolynomialError);
    int ns = ClosestAbscissa(xa, n, x);
    std::vector<double> c(ya.begin(), ya.begin() + n + 1);
    std::vector<double> d = c;
    y = ya[ns--];
    dy = 0.0;
    for (int m = 1; m <= n - 1; ++m) {
        for (int i = 1; i <= n - m; ++i) {
            const double ho = xa[i] - x;
            const double hp = xa[i + m] - x;
            const double w = c[i + 1] - d[i];
            double den = ho - hp;
            if (den == 0.0) throw Exception(PolynomialError);
            den = w / den;
            d[i] = hp * den;
            c[i] = ho * den;
        }
        dy = TableauCorrection(c, d, n, m, ns);
        y += dy;
    }
}

void RationalInterpolation(const std::vector<double>& xa, const std::vector<double>& ya, int n,
                           double x, double& y, double& dy) {
    n = UsablePoints(n, {&xa, &ya});
    if (n < 1) throw Exception(RationalError);
    const auto exact = std::find(xa.begin() + 1, xa.begin() + n + 1, x);
    if (exact != xa.begin() + n + 1) {
        y = ya[std::size_t(exact - xa.begin())];
        dy = 0.0;
        return;
    }
    // The tiny offset keeps a zero-over-zero out of the first column when a value is 0.
    constexpr double Tiny = 1e-25;
    int ns = ClosestAbscissa(xa, n, x);
    std::vector<double> c(ya.begin(), ya.begin() + n + 1);
    std::vector<double> d(c);
    for (double& value : d)
        value += Tiny;
    y = ya[ns--];
    dy = 0.0;
    for (int m = 1; m <= n - 1; ++m) {
        for (int i = 1; i <= n - m; ++i) {
            const double w = c[i + 1] - d[i];
            const double h = xa[i + m] - x;
            const double t = (xa[i] - x) * d[i] / h;
            double dd = t - c[i + 1];
            if (dd == 0.0) throw Exception(RationalError);
            dd = w / dd;
            d[i] = c[i + 1] * dd;
            c[i] = t * dd;
        }
        dy = TableauCorrection(c, d, n, m, ns);
        y += dy;
    }
}
