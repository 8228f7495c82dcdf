#include "DialogTables.h"

#include "MessageBoxStyle.h"

#include <algorithm>

namespace bw {

namespace {

constexpr std::array<IconRow, 4> kIcons = {{
    {IconKind::Critical, 0, u"警告", msgbox::Critical},
    {IconKind::Question, 1, u"問い合わせ", msgbox::Question},
    {IconKind::Exclamation, 2, u"注意", msgbox::Exclamation},
    {IconKind::Information, 3, u"情報", msgbox::Information},
}};

using msgbox::ResultAbort;
using msgbox::ResultCancel;
using msgbox::ResultIgnore;
using msgbox::ResultNo;
using msgbox::ResultOk;
using msgbox::ResultRetry;
using msgbox::ResultYes;

constexpr std::u16string_view kWhenOk = u"OKを押したとき";
constexpr std::u16string_view kWhenCancel = u"キャンセルを押したとき";
constexpr std::u16string_view kWhenAbort = u"中止を押したとき";
constexpr std::u16string_view kWhenRetry = u"再試行を押したとき";
constexpr std::u16string_view kWhenIgnore = u"無視を押したとき";
constexpr std::u16string_view kWhenYes = u"はいを押したとき";
constexpr std::u16string_view kWhenNo = u"いいえを押したとき";

constexpr std::array<ButtonSetRow, 6> kButtonSets = {{
    {ButtonSet::OkOnly,
     5,
     u"OKのみ",
     msgbox::OkOnly,
     {ResultOk, ResultCancel, ResultAbort},
     {true, false, false},
     {kWhenOk, {}, {}}},
    {ButtonSet::OkCancel,
     6,
     u"OKとキャンセル",
     msgbox::OkCancel,
     {ResultOk, ResultCancel, ResultAbort},
     {true, true, false},
     {kWhenOk, kWhenCancel, {}}},
    {ButtonSet::AbortRetryIgnore,
     7,
     u"中止、再試行、無視",
     msgbox::AbortRetryIgnore,
     {ResultAbort, ResultRetry, ResultIgnore},
     {true, true, true},
     {kWhenAbort, kWhenRetry, kWhenIgnore}},
    {ButtonSet::YesNoCancel,
     8,
     u"はい、いいえ、キャンセル",
     msgbox::YesNoCancel,
     {ResultYes, ResultNo, ResultCancel},
     {true, true, true},
     {kWhenYes, kWhenNo, kWhenCancel}},
    {ButtonSet::YesNo,
     9,
     u"はい、いいえ",
     msgbox::YesNo,
     {ResultYes, ResultNo, ResultCancel},
     {true, true, false},
     {kWhenYes, kWhenNo, {}}},
    {ButtonSet::RetryCancel,
     10,
     u"再試行、キャンセル",
     msgbox::RetryCancel,
     {ResultRetry, ResultCancel, ResultOk},
     {true, true, false},
     {kWhenRetry, kWhenCancel, {}}},
}};

template <typename Table, typename Pred>
auto findRow(const Table& table, Pred pred) -> std::optional<typename Table::value_type> {
    const auto it = std::find_if(table.begin(), table.end(), pred);
    if (it == table.end()) {
        return std::nullopt;
    }
    return *it;
}

}  // namespace

const std::array<IconRow, 4>& iconTable() { return kIcons; }
const std::array<ButtonSetRow, 6>& buttonSetTable() { return kButtonSets; }

const IconRow& iconRow(IconKind kind) { return kIcons.at(static_cast<std::size_t>(kind)); }
const ButtonSetRow& buttonSetRow(ButtonSet set) { return kButtonSets.at(static_cast<std::size_t>(set)); }

int buttonCount(const ButtonSetRow& row) {
    return static_cast<int>(std::count(row.slotVisible.begin(), row.slotVisible.end(), true));
}

std::u16string_view buttonName(int resultCode) {
    switch (resultCode) {
        case ResultOk:
            return u"OK";
        case ResultCancel:
            return u"キャンセル";
        case ResultAbort:
            return u"中止";
        case ResultRetry:
            return u"再試行";
        case ResultIgnore:
            return u"無視";
        case ResultYes:
            return u"はい";
        case ResultNo:
            return u"いいえ";
        default:
            return {};
    }
}

std::optional<IconRow> iconRowForOption(int optionIndex) {
    return findRow(kIcons, [=](const IconRow& r) { return r.optionIndex == optionIndex; });
}

std::optional<ButtonSetRow> buttonSetRowForOption(int optionIndex) {
    return findRow(kButtonSets, [=](const ButtonSetRow& r) { return r.optionIndex == optionIndex; });
}

std::optional<IconRow> iconRowForStyle(int style) {
    return findRow(kIcons, [=](const IconRow& r) { return r.style == style; });
}

std::optional<ButtonSetRow> buttonSetRowForStyle(int style) {
    return findRow(kButtonSets, [=](const ButtonSetRow& r) { return r.style == style; });
}

}  // namespace bw
