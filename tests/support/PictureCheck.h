#pragma once
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

// How far a picture may stray from its reference: a pixel differs when one
// of its channels is more than `level` away, and the picture differs when
// more than `pixels` pixels do. Exact output uses {0, 0}.
struct Tolerance {
  int level = 0;
  int pixels = 0;
};

// Text as the font engine prints it. Printed without hinting, as another
// FreeType set-up might, the labels and counts (25 to 35 points) move by at
// most 55 levels, where a label one point smaller or a count one pixel off
// moves 170 pixels or more by over 60. The how-to-use screen's 9 and 10
// point text moves by up to 154 unhinted: that would fail there.
constexpr Tolerance kPrintedText{60, 24};

// Compares `actual` with the reference PNG `name` in `folder`. On a mismatch
// the actual picture and a difference picture go to the build's
// picture-failures folder, and the message says where, how many pixels
// differ, by how much and where they lie. With KANACATCH_RENEW_REFERENCES=1
// in the environment a missing or mismatching reference is written anew from
// the actual picture instead, for a reviewer to look at before it is committed.
testing::AssertionResult MatchesReference(const QImage& actual, const QString& folder,
                                          const QString& name, Tolerance tolerance);

// Whether KANACATCH_RENEW_REFERENCES=1 asks for the references to be renewed.
bool RenewingReferences();
