#include "actions/recording_controls.h"

#include <algorithm>

#include "actions/input_fields.h"

namespace classe {
namespace {

template <class Value>
void Upsert(std::vector<std::pair<RecordingControls::Key, Value>>& entries,
            RecordingControls::Key key, Value value) {
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const auto& entry) { return entry.first == key; });
  if (it == entries.end()) {
    entries.emplace_back(std::move(key), std::move(value));
  } else {
    it->second = std::move(value);
  }
}

template <class Value>
std::optional<Value> Lookup(const std::vector<std::pair<RecordingControls::Key, Value>>& entries,
                            const RecordingControls::Key& key) {
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const auto& entry) { return entry.first == key; });
  if (it == entries.end()) return std::nullopt;
  return it->second;
}

template <class Map>
auto LookupMap(const Map& map, const RecordingControls::Key& key)
    -> std::optional<typename Map::mapped_type> {
  const auto it = map.find(key);
  if (it == map.end()) return std::nullopt;
  return it->second;
}

RecordingControls::Key MakeKey(Window window, std::string_view control) {
  return {window, std::string(control)};
}

}  // namespace

RecordingControls::RecordingControls() {
  for (const InputField& field : InputFields()) {
    fields_[std::string(field.control)] = std::string(field.defaultText);
  }
  selected_[Window::Form2] = "Option1";
}

void RecordingControls::setText(std::string_view control, std::string text) {
  fields_[std::string(control)] = std::move(text);
}

void RecordingControls::unload(Window window) {
  loaded_.erase(window);
  shown_.erase(window);
}

std::string RecordingControls::text(Window window, std::string_view control) {
  if (window != Window::Form1) return {};
  const auto it = fields_.find(control);
  return it == fields_.end() ? std::string() : it->second;
}

void RecordingControls::setCaption(Window window, std::string_view control,
                                   std::string_view caption) {
  Upsert(captions_, MakeKey(window, control), std::string(caption));
}

void RecordingControls::setVisible(Window window, std::string_view control, bool visible) {
  Upsert(visibilities_, MakeKey(window, control), visible);
}

void RecordingControls::message(std::string_view text) {
  messages_.push_back({std::string(text), false});
}

void RecordingControls::fault(std::string_view text) {
  messages_.push_back({std::string(text), true});
}

// A window loaded afresh starts with nothing drawn, no texts written, the
// first option selected.
void RecordingControls::forget(Window window) {
  auto other = [window](const auto& entry) { return entry.first.first == window; };
  std::erase_if(captions_, other);
  std::erase_if(visibilities_, other);
  std::erase_if(pictures_, other);
  std::erase_if(positions_, other);
  std::erase_if(toolTips_, other);
  std::erase_if(textColours_, other);
  selected_[window] = "Option1";
}

void RecordingControls::loadWindow(Window window) {
  if (loaded_.insert(window).second && window != Window::Form1) forget(window);
}

void RecordingControls::showWindow(Window window) {
  loadWindow(window);
  shown_.insert(window);
  ++timesShown_[window];
}

void RecordingControls::setScale(Window window, std::string_view picture, const PlotScale& scale) {
  pictures_[MakeKey(window, picture)].scale = scale;
}

void RecordingControls::clearPicture(Window window, std::string_view picture) {
  Picture& p = pictures_[MakeKey(window, picture)];
  p.lines.clear();
  p.polylines.clear();
  ++p.clears;
}

void RecordingControls::drawLine(Window window, std::string_view picture, PlotPoint from,
                                 PlotPoint to) {
  pictures_[MakeKey(window, picture)].lines.emplace_back(from, to);
}

void RecordingControls::drawPolyline(Window window, std::string_view picture,
                                     std::span<const PlotPoint> points, Rgb colour) {
  pictures_[MakeKey(window, picture)].polylines.push_back(
      {std::vector<PlotPoint>(points.begin(), points.end()), colour});
}

void RecordingControls::moveControl(Window window, std::string_view control, double left,
                                    double top) {
  positions_[MakeKey(window, control)] = {left, top};
}

void RecordingControls::setToolTip(Window window, std::string_view control, std::string_view text) {
  toolTips_[MakeKey(window, control)] = std::string(text);
}

void RecordingControls::select(Window window, std::string_view option) {
  selected_[window] = std::string(option);
}

bool RecordingControls::isSelected(Window window, std::string_view option) {
  const auto it = selected_.find(window);
  return it != selected_.end() && it->second == option;
}

void RecordingControls::setTextColour(Window window, std::string_view control, Rgb colour) {
  textColours_[MakeKey(window, control)] = colour;
}

std::optional<std::string> RecordingControls::caption(Window window,
                                                      std::string_view control) const {
  return Lookup(captions_, MakeKey(window, control));
}

std::optional<bool> RecordingControls::visible(Window window, std::string_view control) const {
  return Lookup(visibilities_, MakeKey(window, control));
}

int RecordingControls::timesShown(Window window) const {
  const auto it = timesShown_.find(window);
  return it == timesShown_.end() ? 0 : it->second;
}

const RecordingControls::Picture& RecordingControls::picture(Window window,
                                                             std::string_view picture) {
  return pictures_[MakeKey(window, picture)];
}

std::optional<std::pair<double, double>> RecordingControls::position(
    Window window, std::string_view control) const {
  return LookupMap(positions_, MakeKey(window, control));
}

std::optional<std::string> RecordingControls::toolTip(Window window,
                                                      std::string_view control) const {
  return LookupMap(toolTips_, MakeKey(window, control));
}

std::optional<Rgb> RecordingControls::textColour(Window window, std::string_view control) const {
  return LookupMap(textColours_, MakeKey(window, control));
}

}  // namespace classe
