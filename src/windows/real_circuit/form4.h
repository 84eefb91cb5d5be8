// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>
#include <functional>

#include "ui/form_window.h"

namespace classe {

class PlotArea;

// The real-circuit window: the ideal and the exact design side by side, what
// the real circuit does with each, their curves with a read-out, and the
// check with ngspice. Esc closes it, as its "Esci" does.
class Form4 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form4(QWidget* parent = nullptr);

  PlotSurface* surface(std::string_view picture) override;
  // Every mouse move over the plot, in plot units.
  void onPlotMouseMove(std::function<void(float x, float y)> handler);
  // "Salva immagine…" from the plot's context menu.
  void onSaveImage(std::function<void()> handler);
  // The plot with its border, in the client area.
  QRect plotRegion() const;

  // The verification button and its companions while ngspice runs, or not;
  // `installed` false makes the button say how to install it.
  void setVerifying(bool running);
  // The same while the designs with a transistor are computed: "Calcola"
  // and the verification wait, "Interrompi" drops the run.
  void setDesigning(bool running);
  void setNgspiceInstalled(bool installed);
  // What the verification is doing, or why it cannot.
  void setStatus(const QString& text);

 protected:
  QWidget* createPicture(const ControlSpec& item, QWidget* parent) override;

 private:
  PlotArea* plot_ = nullptr;
  PlotArea* coss_ = nullptr;
};

// The verification button's caption, and what it says when ngspice is missing.
inline constexpr const char* kVerifyCaption = "Verifica con ngspice";
inline constexpr const char* kInstallCaption =
    "Verifica con ngspice: installalo con apt install ngspice";

}  // namespace classe
