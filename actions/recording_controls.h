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

  // What the user has typed into a field of the main window.
  void setText(std::string_view control, std::string text);
  // The window's "Esci": the next load creates it afresh.
  void unload(Window window);

  // Controls.
  std::string text(Window window, std::string_view control) override;
  void setCaption(Window window, std::string_view control, std::string_view caption) override;
  void setVisible(Window window, std::string_view control, bool visible) override;
  void message(std::string_view text) override;
  void fault(std::string_view text) override;
  void loadWindow(Window window) override;
  void showWindow(Window window) override;
  void setScale(Window window, std::string_view picture, const PlotScale& scale) override;
  void clearPicture(Window window, std::string_view picture) override;
  void drawLine(Window window, std::string_view picture, PlotPoint from, PlotPoint to) override;
  void drawPolyline(Window window, std::string_view picture, std::span<const PlotPoint> points,
                    Rgb colour) override;
  void moveControl(Window window, std::string_view control, double left, double top) override;
  void setToolTip(Window window, std::string_view control, std::string_view text) override;
  void select(Window window, std::string_view option) override;
  bool isSelected(Window window, std::string_view option) override;
  void setTextColour(Window window, std::string_view control, Rgb colour) override;

  // What was recorded. Captions and visibilities keep the order of their
  // first write; a later write updates in place.
  const std::vector<Message>& messages() const { return messages_; }
  std::optional<std::string> caption(Window window, std::string_view control) const;
  std::optional<bool> visible(Window window, std::string_view control) const;
  const std::vector<std::pair<Key, std::string>>& captions() const { return captions_; }
  const std::vector<std::pair<Key, bool>>& visibilities() const { return visibilities_; }
  bool loaded(Window window) const { return loaded_.count(window) > 0; }
  bool shown(Window window) const { return shown_.count(window) > 0; }
  int timesShown(Window window) const;
  const Picture& picture(Window window, std::string_view picture);
  std::optional<std::pair<double, double>> position(Window window, std::string_view control) const;
  std::optional<std::string> toolTip(Window window, std::string_view control) const;
  std::optional<Rgb> textColour(Window window, std::string_view control) const;
  // Forget the messages recorded so far (between steps of a test).
  void clearMessages() { messages_.clear(); }

 private:
  void forget(Window window);

  std::map<std::string, std::string, std::less<>> fields_;
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
  std::map<Window, std::string> selected_;
};

}  // namespace classe
