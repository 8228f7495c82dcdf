#pragma once

#include "DialogDefinition.h"

#include <array>
#include <optional>
#include <string_view>

namespace bw {

struct IconRow {
    IconKind kind;
    int optionIndex;  // index in the Option1 group
    std::u16string_view caption;
    int style;
};

struct ButtonSetRow {
    ButtonSet set;
    int optionIndex;  // index in the Option2 group, 5 to 10
    std::u16string_view caption;
    int style;
    std::array<int, 3> returnCodes;
    std::array<bool, 3> slotVisible;
    // Caption of each slot's check box; empty means "leave the caption as it is".
    std::array<std::u16string_view, 3> slotCaptions;
};

inline constexpr int kFirstIconOption = 0;
inline constexpr int kLastIconOption = 3;
inline constexpr int kFirstButtonOption = 5;
inline constexpr int kLastButtonOption = 10;

// Captions of the slot check boxes before any button set has been applied.
inline constexpr std::array<std::u16string_view, 3> kDesignSlotCaptions = {u"チェック0", u"チェック1", u"チェック2"};

const std::array<IconRow, 4>& iconTable();
const std::array<ButtonSetRow, 6>& buttonSetTable();

const IconRow& iconRow(IconKind kind);
const ButtonSetRow& buttonSetRow(ButtonSet set);

// How many buttons a set shows: one for each visible slot.
int buttonCount(const ButtonSetRow& row);

// The caption a button carries in the message box, by its result code ("OK", "はい", ...).
std::u16string_view buttonName(int resultCode);

// The rows that an option index selects; nothing for an index outside the group.
std::optional<IconRow> iconRowForOption(int optionIndex);
std::optional<ButtonSetRow> buttonSetRowForOption(int optionIndex);

// The rows that a style value selects; nothing for any other value.
std::optional<IconRow> iconRowForStyle(int style);
std::optional<ButtonSetRow> buttonSetRowForStyle(int style);

}  // namespace bw
