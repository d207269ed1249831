// The maths unit of the instruments: angle conversion, logarithms and the four interpolation
// routines of the plot's interpolated traces. Arrays are indexed from 1 to N; element 0 is
// allocated and ignored.
#pragma once

#include <vector>

double DegToRad(double x);
double RadToDeg(double x);

// The angle of the point (x, y) in radians, -pi to pi.
double arctan2(double y, double x);

double Log10(double x);

// Base raised to Exponent through the natural logarithm; Base must be positive.
double Power(double base, double exponent);

// Second derivatives y2[1..n] of the cubic spline through (x[i], y[i]). The end derivatives
// are always the slopes of the first and last segments; yp1 and ypn are accepted for the
// callers' sake and have no effect.
void Spline(const std::vector<double>& x, const std::vector<double>& y, int n, double yp1,
            double ypn, std::vector<double>& y2);

void SplineInterpolation(const std::vector<double>& xa, const std::vector<double>& ya,
                         const std::vector<double>& y2a, int n, double x, double& y);

// Neville's algorithm; dy is the error estimate of the last correction.
void PolynomialInterpolation(const std::vector<double>& xa, const std::vector<double>& ya, int n,
                             double x, double& y, double& dy);

// Diagonal rational-function interpolation; dy is the error estimate of the last correction.
void RationalInterpolation(const std::vector<double>& xa, const std::vector<double>& ya, int n,
                           double x, double& y, double& dy);
