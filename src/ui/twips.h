// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>
#include <QSize>
#include <QtGlobal>

namespace classe {

// Window designs are in twips; 15 twips make one logical pixel (96 dpi).
// Qt scales logical pixels on high-density screens.
inline constexpr double kTwipsPerPixel = 15.0;

inline int TwipsToPixels(int twips) {
  return qRound(twips / kTwipsPerPixel);
}

inline QRect TwipsRect(int left, int top, int width, int height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

inline QSize TwipsSize(int width, int height) {
  return {TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace classe
