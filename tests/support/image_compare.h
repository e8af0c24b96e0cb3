#pragma once

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

// Compares two pictures pixel for pixel (colour bytes only). On a difference it says where
// the first one lies and how many there are, and writes NAME-expected.png, NAME-actual.png
// and NAME-difference.png (differing pixels in red) into the build's test output folder.
::testing::AssertionResult imagesEqual(const QImage& expected, const QImage& actual,
                                       const QString& name);
