// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/recording_controls.h"

#include <algorithm>

#include "actions/analysis_fields.h"
#include "actions/form2_controls.h"
#include "actions/form4_controls.h"
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

RecordingControls::Key MakeKey(Control control) {
  return {control.window, std::string(control.name)};
}

}  // namespace

RecordingControls::RecordingControls() {
  for (std::span<const InputField> table : kFieldTables) {
    for (const InputField& field : table)
      fields_[MakeKey(field.control)] = std::string(field.defaultText);
  }
  for (const ChoiceField& choice : kChoiceFields)
    fields_[MakeKey(choice.control)] = std::string(choice.defaultText);
  for (const AnalysisField& field : kToleranceFields)
    fields_[MakeKey(field.control)] = std::string(field.defaultText);
  for (const AnalysisField& field : kSweepFields)
    fields_[MakeKey(field.control)] = std::string(field.defaultText);
  forget(Window::Form2);
  forget(Window::Form4);
}

void RecordingControls::setText(Control field, std::string_view text) {
  fields_[MakeKey(field)] = std::string(text);
}

void RecordingControls::unload(Window window) {
  loaded_.erase(window);
  shown_.erase(window);
}

std::string RecordingControls::text(Control field) {
  return LookupMap(fields_, MakeKey(field)).value_or(std::string());
}

void RecordingControls::setCaption(Control control, std::string_view caption) {
  ++changes_;
  Upsert(captions_, MakeKey(control), std::string(caption));
}

void RecordingControls::setVisible(Control control, bool visible) {
  ++changes_;
  Upsert(visibilities_, MakeKey(control), visible);
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
  std::erase_if(checked_, other);
  // The first option of a group is selected when its window is made.
  selected_.erase(window);
  if (window == Window::Form2) selected_[window] = form2::Option1.name;
  if (window == Window::Form4) selected_[window] = form4::Option1.name;
}

void RecordingControls::loadWindow(Window window) {
  ++changes_;
  if (loaded_.insert(window).second && window != Window::Form1) forget(window);
}

void RecordingControls::showWindow(Window window) {
  loadWindow(window);
  shown_.insert(window);
  ++timesShown_[window];
}

void RecordingControls::setScale(Control picture, const PlotScale& scale) {
  ++changes_;
  pictures_[MakeKey(picture)].scale = scale;
}

void RecordingControls::clearPicture(Control picture) {
  ++changes_;
  Picture& p = pictures_[MakeKey(picture)];
  p.lines.clear();
  p.polylines.clear();
  ++p.clears;
}

void RecordingControls::drawLine(Control picture, PlotPoint from, PlotPoint to) {
  ++changes_;
  pictures_[MakeKey(picture)].lines.emplace_back(from, to);
}

void RecordingControls::drawPolyline(Control picture, std::span<const PlotPoint> points,
                                     Rgb colour) {
  ++changes_;
  pictures_[MakeKey(picture)].polylines.push_back(
      {std::vector<PlotPoint>(points.begin(), points.end()), colour});
}

void RecordingControls::moveControl(Control control, double left, double top) {
  ++changes_;
  positions_[MakeKey(control)] = {left, top};
}

void RecordingControls::setToolTip(Control control, std::string_view text) {
  ++changes_;
  toolTips_[MakeKey(control)] = std::string(text);
}

void RecordingControls::select(Control option) {
  ++changes_;
  selected_[option.window] = std::string(option.name);
}

bool RecordingControls::isSelected(Control option) {
  const auto it = selected_.find(option.window);
  return it != selected_.end() && it->second == option.name;
}

void RecordingControls::setTextColour(Control control, Rgb colour) {
  ++changes_;
  textColours_[MakeKey(control)] = colour;
}

void RecordingControls::setChecked(Control box, bool checked) {
  ++changes_;
  checked_[MakeKey(box)] = checked;
}

bool RecordingControls::isChecked(Control box) {
  return LookupMap(checked_, MakeKey(box)).value_or(false);
}

std::optional<std::string> RecordingControls::caption(Control control) const {
  return Lookup(captions_, MakeKey(control));
}

std::optional<bool> RecordingControls::visible(Control control) const {
  return Lookup(visibilities_, MakeKey(control));
}

int RecordingControls::timesShown(Window window) const {
  const auto it = timesShown_.find(window);
  return it == timesShown_.end() ? 0 : it->second;
}

const RecordingControls::Picture& RecordingControls::picture(Control picture) {
  return pictures_[MakeKey(picture)];
}

std::optional<std::pair<double, double>> RecordingControls::position(Control control) const {
  return LookupMap(positions_, MakeKey(control));
}

std::optional<std::string> RecordingControls::toolTip(Control control) const {
  return LookupMap(toolTips_, MakeKey(control));
}

std::optional<Rgb> RecordingControls::textColour(Control control) const {
  return LookupMap(textColours_, MakeKey(control));
}

}  // namespace classe
