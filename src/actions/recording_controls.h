// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "actions/controls.h"

namespace classe {

// Controls without windows: the input fields are plain texts (the window's
// defaults until set) and everything an action does is recorded, so that the
// command-line tool can print it and the tests can look at it. Message boxes
// return at once.
class RecordingControls : public Controls {
 public:
  using Key = std::pair<Window, std::string>;

  struct Message {
    std::string text;
    bool fault = false;
  };

  struct Polyline {
    std::vector<PlotPoint> points;
    Rgb colour;
  };

  // Whatever has been drawn into one picture box since it was last cleared.
  struct Picture {
    PlotScale scale;
    std::vector<std::pair<PlotPoint, PlotPoint>> lines;
    std::vector<Polyline> polylines;
    int clears = 0;
  };

  RecordingControls();

  // The window's "Esci": the next load creates it afresh.
  void unload(Window window);

  // Controls.
  std::string text(Control field) override;
  // What the user has typed into an input field.
  void setText(Control field, std::string_view text) override;
  void setCaption(Control control, std::string_view caption) override;
  void setVisible(Control control, bool visible) override;
  void message(std::string_view text) override;
  void fault(std::string_view text) override;
  void loadWindow(Window window) override;
  void showWindow(Window window) override;
  void setScale(Control picture, const PlotScale& scale) override;
  void clearPicture(Control picture) override;
  void drawLine(Control picture, PlotPoint from, PlotPoint to) override;
  void drawPolyline(Control picture, std::span<const PlotPoint> points, Rgb colour) override;
  void moveControl(Control control, double left, double top) override;
  void setToolTip(Control control, std::string_view text) override;
  void select(Control option) override;
  bool isSelected(Control option) override;
  void setTextColour(Control control, Rgb colour) override;
  void setChecked(Control box, bool checked) override;
  bool isChecked(Control box) override;

  // What was recorded. Captions and visibilities keep the order of their
  // first write; a later write updates in place.
  const std::vector<Message>& messages() const { return messages_; }
  std::optional<std::string> caption(Control control) const;
  std::optional<bool> visible(Control control) const;
  const std::vector<std::pair<Key, std::string>>& captions() const { return captions_; }
  const std::vector<std::pair<Key, bool>>& visibilities() const { return visibilities_; }
  bool loaded(Window window) const { return loaded_.count(window) > 0; }
  bool shown(Window window) const { return shown_.count(window) > 0; }
  int timesShown(Window window) const;
  const Picture& picture(Control picture);
  std::optional<std::pair<double, double>> position(Control control) const;
  std::optional<std::string> toolTip(Control control) const;
  std::optional<Rgb> textColour(Control control) const;
  // Forget the messages recorded so far (between steps of a test).
  void clearMessages() { messages_.clear(); }
  // Calls so far that altered a window in any way (messages aside).
  int changes() const { return changes_; }

 private:
  void forget(Window window);

  std::map<Key, std::string> fields_;
  std::vector<Message> messages_;
  std::vector<std::pair<Key, std::string>> captions_;
  std::vector<std::pair<Key, bool>> visibilities_;
  std::set<Window> loaded_;
  std::set<Window> shown_;
  std::map<Window, int> timesShown_;
  std::map<Key, Picture> pictures_;
  std::map<Key, std::pair<double, double>> positions_;
  std::map<Key, std::string> toolTips_;
  std::map<Key, Rgb> textColours_;
  std::map<Key, bool> checked_;
  std::map<Window, std::string> selected_;  // the option of each window's group
  int changes_ = 0;
};

}  // namespace classe
