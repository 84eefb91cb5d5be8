// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QIODevice>
#include <QRect>
#include <QString>

class QWidget;

namespace classe {

enum class ImageFormat { Png, Svg };

// A part of a window as an image file: PNG at the screen's pixel density, or
// SVG with the curves, lines and captions as vectors. False when the image
// could not be written to `out`.
bool WriteImage(QWidget& source, const QRect& region, ImageFormat format, QIODevice& out,
                const QString& title);

class FileChooser;
class MessagePresenter;

// "Salva immagine…": asks where, as PNG or SVG, and writes the file as a whole
// or not at all; a failure is a message and leaves any file there intact.
void SaveImageAs(QWidget& source, const QRect& region, const QString& suggestedName,
                 FileChooser& files, MessagePresenter& messages);

}  // namespace classe
