#pragma once

// The colour of the status icon's health badge; `none` draws it in the
// label colour.
enum class MenuBarBadgeTint { none, green, orange, red, gray };
