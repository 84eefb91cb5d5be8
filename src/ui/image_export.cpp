// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "ui/image_export.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

#include "ui/atomic_file.h"
#include "ui/file_chooser.h"
#include "ui/message_presenter.h"

namespace classe {

bool WriteImage(QWidget& source, const QRect& region, ImageFormat format, QIODevice& out,
                const QString& title) {
  if (format == ImageFormat::Png) return source.grab(region).toImage().save(&out, "PNG");
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setSize(region.size());
  svg.setViewBox(QRect(QPoint(0, 0), region.size()));
  svg.setTitle(title);
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  source.render(&painter, QPoint(), QRegion(region),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return painter.end();
}

void SaveImageAs(QWidget& source, const QRect& region, const QString& suggestedName,
                 FileChooser& files, MessagePresenter& messages) {
  const QString png = QStringLiteral("Immagine PNG (*.png)");
  const QString svg = QStringLiteral("Immagine SVG (*.svg)");
  const FileChooser::Choice choice =
      files.saveFile(&source, QStringLiteral("Salva immagine"), suggestedName, {png, svg});
  if (choice.path.isEmpty()) return;
  // The name's suffix decides; without one, the filter chosen.
  const QString suffix = QFileInfo(choice.path).suffix().toLower();
  const bool asSvg = suffix == QStringLiteral("svg") || (suffix.isEmpty() && choice.filter == svg);
  const ImageFormat format = asSvg ? ImageFormat::Svg : ImageFormat::Png;
  const auto failure = WriteFileAtomically(choice.path, [&](QIODevice& out) {
    return WriteImage(source, region, format, out, source.window()->windowTitle());
  });
  if (failure) messages.show(WriteFailureMessage(choice.path, *failure), true);
}

}  // namespace classe
