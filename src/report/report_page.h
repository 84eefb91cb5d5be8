// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>

namespace classe::report {

// Millimetres on the page to device units.
class Page {
 public:
  Page(QPainter& painter, QPagedPaintDevice& device)
      : p_(painter),
        k_(device.width() / device.pageLayout().paintRect(QPageLayout::Millimeter).width()) {}
  double x(double mm) const { return mm * k_; }
  QPointF at(double xmm, double ymm) const { return {x(xmm), x(ymm)}; }
  void text(double xmm, double ymm, const QString& s, double points = 8, bool bold = false) {
    setFont(points, bold);
    p_.drawText(at(xmm, ymm), s);
  }
  // Text wrapped within `width` from its top at `ymm`; the height it took, mm.
  double paragraph(double xmm, double ymm, double width, const QString& s, double points = 7) {
    setFont(points, false);
    QRectF used;
    p_.drawText(QRectF(at(xmm, ymm), at(xmm + width, ymm + 100)), Qt::TextWordWrap, s, &used);
    return used.height() / k_;
  }
  void line(double x1, double y1, double x2, double y2) { p_.drawLine(at(x1, y1), at(x2, y2)); }
  QPainter& painter() { return p_; }

 private:
  void setFont(double points, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    p_.setFont(font);
  }

  QPainter& p_;
  double k_;
};

}  // namespace classe::report
