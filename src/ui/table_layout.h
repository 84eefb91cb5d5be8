// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

#include "actions/analysis_fields.h"
#include "actions/controls.h"
#include "actions/input_fields.h"
#include "actions/value_box.h"
#include "ui/colours.h"
#include "ui/form_window.h"

namespace classe {

// A column of a window's table of rows: where its controls start and how wide
// they are, in twips.
struct Column {
  int left;
  int width;
};

// The heights of a window's rows, in twips: captions and fields, value boxes,
// and how far a caption stands below the top of the field or box it heads so
// that its first line is level with the box's text.
struct RowLayout {
  int captionDrop;
  int textHeight;
  int valueHeight;

  constexpr ControlSpec caption(Control control, std::string_view text, Column column, int rowTop,
                                bool hidden = false) const {
    return {.name = control.name,
            .text = text,
            .left = column.left,
            .top = rowTop + captionDrop,
            .width = column.width,
            .height = textHeight,
            .hidden = hidden};
  }

  // A text field of the main windows' tables (InputField) or of the
  // analyses' (AnalysisField), with its default text.
  template <class Field>
  constexpr ControlSpec field(const Field& input, Column column, int top) const {
    return {.name = input.control.name,
            .kind = ControlKind::Field,
            .text = input.defaultText,
            .left = column.left,
            .top = top,
            .width = column.width,
            .height = textHeight};
  }

  constexpr ControlSpec value(const ValueBox& box, Column column, int top,
                              bool hidden = false) const {
    return {.name = box.control.name,
            .kind = ControlKind::ValueBox,
            .left = column.left,
            .top = top,
            .width = column.width,
            .height = valueHeight,
            .background = kWhite,
            .hidden = hidden};
  }
};

constexpr ControlSpec ButtonSpec(Control control, std::string_view caption, int left, int top,
                                 int width, int height, bool hidden = false) {
  return {.name = control.name,
          .kind = ControlKind::Button,
          .text = caption,
          .left = left,
          .top = top,
          .width = width,
          .height = height,
          .hidden = hidden};
}

// A caption inside a picture box, one line of small text, placed by the
// action that draws there.
constexpr ControlSpec CaptionInPicture(Control control, Control picture, int width) {
  return {.name = control.name,
          .left = 30,
          .top = 0,
          .width = width,
          .height = 225,
          .bold = false,
          .holder = picture.name};
}

// The caption with the program's version a window carries, at (left, top).
constexpr ControlSpec VersionCaption(Control control, int left, int top) {
  return {.name = control.name,
          .text = "Classe E · versione " CLASSE_VERSION_SHORT,
          .left = left,
          .top = top,
          .width = 1815,
          .height = 285,
          .background = kLightOrange};
}

}  // namespace classe
