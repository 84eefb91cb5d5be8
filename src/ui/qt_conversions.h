// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QColor>
#include <QString>
#include <string_view>

#include "engine/plot/plot_types.h"

namespace classe {

// The engine's texts are UTF-8 ("µH", "Ω", "è").
inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor ToQColor(Rgb colour) {
  return QColor(colour.r, colour.g, colour.b);
}

// For style sheets: "rgb(192, 192, 255)".
inline QString CssColour(Rgb colour) {
  return QStringLiteral("rgb(%1, %2, %3)").arg(colour.r).arg(colour.g).arg(colour.b);
}

}  // namespace classe
