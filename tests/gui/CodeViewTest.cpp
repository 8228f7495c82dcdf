#include "editor/CodeView.h"
#include "editor/ScriptHighlighter.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include <random>

namespace bw {

namespace {

// One letter for each unit of the lines: Plain, Keyword, String, Comment, Tag.
// The lines are scanned in order, each from the state the previous one left;
// tokens are cut every `stride` units, as the view cuts them at its checkpoints.
QString kindsOf(ScriptLanguage language, const QString& text, qsizetype stride) {
    const ScriptHighlighter highlighter(language);
    QStringList out;
    int state = 0;
    for (const QString& line : text.split(u'\n')) {
        QString kinds;
        for (qsizetype pos = 0; pos < line.size();) {
            const ScriptToken token = highlighter.next(line, pos, state, (pos / stride + 1) * stride);
            kinds += QString(token.end - pos, QChar(u"PKSCT"[static_cast<int>(token.kind)]));
            pos = token.end;
        }
        out << kinds;
        state = highlighter.nextLineState(state);
    }
    return out.join(u'\n');
}

// Where each row starts: the place at its left edge.
QList<CodeView::Position> rowStarts(const CodeView& view) {
    QList<CodeView::Position> starts;
    const int rowHeight = QFontMetrics(view.font()).lineSpacing();
    for (qsizetype row = 0; row < view.rowCount(); ++row) {
        starts << view.positionAt(QPoint(0, static_cast<int>(row) * rowHeight + rowHeight / 2));
    }
    return starts;
}

}  // namespace

class CodeViewTest : public QObject {
    Q_OBJECT

private slots:
    void highlighting_data() {
        QTest::addColumn<ScriptLanguage>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kinds");
        const auto vbs = ScriptLanguage::VBScript;
        const auto html = ScriptLanguage::Html;
        const auto ps = ScriptLanguage::PowerShell;
        QTest::newRow("message line") << vbs << "selectkey = MsgBox(\"a\"\"b\", 0 + 16, \"T\")"
                                      << "PPPPPPPPPPPPKKKKKKPSSSSSSPPPPPPPPPPSSSP";
        QTest::newRow("disabled follow-up") << vbs << "'SelectKey = MsgBox(\"x\")" << QString(24, u'C');
        QTest::newRow("constant and comment") << vbs << "x = vbCrLf & y ' note"
                                              << "PPPPKKKKKKPPPPPCCCCCC";
        QTest::newRow("open string ends with its line") << vbs << "x = \"abc\nCase 1"
                                                        << "PPPPSSSS\nKKKKPP";
        QTest::newRow("html first line") << html << "<script language= VBScript><!--" << QString(27, u'T') + "CCCC";
        QTest::newRow("html last line") << html << "--></script> "
                                        << "CCCTTTTTTTTTP";
        QTest::newRow("ps escapes and quotes") << ps << "if ($x -eq \"a`\"b\") { 'c''d' } # e"
                                               << "KKPPPPPPPPPSSSSSSPPPPSSSSSSPPPCCC";
        QTest::newRow("ps block comment") << ps << "<# a #> $true"
                                          << "CCCCCCCPKKKKK";
        QTest::newRow("ps here-string") << ps << "$s = @\"\nit's \"q\"\n\"@ # c"
                                        << "PPPPPSS\nSSSSSSSS\nSSPCCC";
    }

    // Cut at any stride, as the view's checkpoints and rows cut it, a line
    // gets the same colours as scanned whole.
    void highlighting() {
        QFETCH(ScriptLanguage, language);
        QFETCH(QString, text);
        QFETCH(QString, kinds);
        for (const qsizetype stride : {qsizetype{1000}, qsizetype{1}, qsizetype{2}, qsizetype{3}, qsizetype{5}}) {
            QCOMPARE(kindsOf(language, text, stride), kinds);
        }
    }

    void wrapsAtTheViewWidthAndKeepsTheText() {
        CodeView view(ScriptLanguage::VBScript);
        view.resize(300, 200);
        view.show();
        const std::u16string longLine(500, u'x');
        view.setLines({u"short", longLine});
        const qsizetype narrow = view.rowCount();
        QVERIFY(narrow > 3);
        view.resize(600, 200);
        QVERIFY(view.rowCount() < narrow);
        QVERIFY(view.rowCount() > 2);
        QCOMPARE(view.lines().at(1), longLine);
        // The first unit of the second line's second row lies at the row's left edge.
        const int rowHeight = QFontMetrics(view.font()).lineSpacing();
        const CodeView::Position second = view.positionAt(QPoint(view.width() / 2, rowHeight * 2 + 2));
        QCOMPARE(second.line, 1);
        QVERIFY(second.offset > 0 && second.offset < 500);
    }

    // A row ends after a blank, else at the edge of a name; a name is cut
    // only when it is longer than a row.
    void wrapsAtTokenBoundaries() {
        CodeView view(ScriptLanguage::PowerShell);
        view.show();
        const QString line =
            QStringLiteral("$answer = [System.Windows.Forms.MessageBox]::Show('one two three', 'title', 4, 32) ('") +
            QString(400, u'n');
        for (int width = 120; width < 420; width += 7) {
            view.resize(width, 600);
            view.setLines({line.toStdU16String()});
            const QList<CodeView::Position> starts = rowStarts(view);
            // Every row fits the view: its last unit ends inside it.
            for (qsizetype row = 0; row + 1 < starts.size(); ++row) {
                const qsizetype end = starts[row + 1].offset;
                const int y = static_cast<int>(row) * QFontMetrics(view.font()).lineSpacing() + 2;
                const CodeView::Position edge = view.positionAt(QPoint(view.viewport()->width() - 1, y));
                QVERIFY2(edge.offset >= end - 1, qPrintable(QStringLiteral("%1: row %2 [%3, %4) reaches the edge at %5")
                                                                .arg(width)
                                                                .arg(row)
                                                                .arg(starts[row].offset)
                                                                .arg(end)
                                                                .arg(edge.offset)));
                const qreal rowWidth = QFontMetricsF(view.font())
                                           .horizontalAdvance(line.mid(starts[row].offset, end - starts[row].offset));
                QVERIFY2(rowWidth <= view.viewport()->width(),
                         qPrintable(QStringLiteral("%1: row %2 is %3 wide").arg(width).arg(row).arg(rowWidth)));
            }
            // The rows of the long name hold as many units as each other: the
            // first after a break at a blank is no longer than the rest.
            QList<qsizetype> tailRows;
            for (qsizetype row = 0; row + 1 < starts.size(); ++row) {
                if (starts[row].offset >= line.size() - 400) {
                    tailRows << starts[row + 1].offset - starts[row].offset;
                }
            }
            for (const qsizetype units : tailRows) {
                QVERIFY2(units <= tailRows.back(),
                         qPrintable(QStringLiteral("%1: %2 > %3").arg(width).arg(units).arg(tailRows.back())));
            }
            for (const CodeView::Position& start : starts.mid(1)) {
                const qsizetype at = start.offset;
                const bool inName = line[at - 1].isLetterOrNumber() && line[at].isLetterOrNumber();
                // Only the long name at the end may be cut.
                QVERIFY2(!inName || at > line.size() - 400, qPrintable(QStringLiteral("%1 at %2").arg(width).arg(at)));
            }
        }
    }

    // A changed line is wrapped again from its first change: the rows come
    // out as in a view that gets the new lines only.
    void changedLinesWrapAsIfNew() {
        CodeView changed(ScriptLanguage::VBScript);
        CodeView fresh(ScriptLanguage::VBScript);
        changed.show();
        fresh.show();
        const std::u16string wide(300, u'あ');
        // Over the width of a wide character, some row has room left for a narrow one.
        for (int width = 280; width < 300; ++width) {
            changed.resize(width, 1200);
            fresh.resize(width, 1200);
            for (std::size_t at = 0; at < 40; ++at) {
                std::u16string narrower = wide;
                narrower[at] = u'x';
                changed.setLines({wide, u"Case 1"});
                changed.setLines({narrower, u"Case 1"});
                fresh.setLines({});
                fresh.setLines({narrower, u"Case 1"});
                QCOMPARE(rowStarts(changed), rowStarts(fresh));
            }
        }
        // Random lines of blanks, dots and names, changed at random places:
        // a row's end may hang on units rows further on.
        std::mt19937 random(83);
        const std::u16string alphabet = u"  ..(ab'x";
        for (int trial = 0; trial < 400; ++trial) {
            std::u16string text(static_cast<std::size_t>(60 + random() % 140), u'a');
            for (char16_t& unit : text) {
                unit = alphabet[random() % alphabet.size()];
            }
            std::u16string edited = text;
            edited[random() % edited.size()] = alphabet[random() % alphabet.size()];
            const int width = 60 + static_cast<int>(random() % 120);
            changed.resize(width, 1200);
            fresh.resize(width, 1200);
            changed.setLines({text});
            changed.setLines({edited});
            fresh.setLines({});
            fresh.setLines({edited});
            QCOMPARE(rowStarts(changed), rowStarts(fresh));
        }
        // Where rows end at blanks and names, a change may move the end of
        // the row before it.
        const std::u16string code = u"x = MsgBox(\"one two\", 4 + 32, \"a.b.c\") ' note note note note";
        for (int width = 90; width < 200; width += 11) {
            changed.resize(width, 1200);
            fresh.resize(width, 1200);
            for (std::size_t at = 0; at < code.size(); ++at) {
                for (const char16_t put : {u' ', u'.', u'w'}) {
                    std::u16string edited = code;
                    edited[at] = put;
                    changed.setLines({code});
                    changed.setLines({edited});
                    fresh.setLines({});
                    fresh.setLines({edited});
                    QCOMPARE(rowStarts(changed), rowStarts(fresh));
                }
            }
        }
    }

    // Colours far into a long line, whose scan starts at checkpoints, follow a
    // change before them.
    void changedLinesColourAsIfNew() {
        const std::u16string quoted = u"x = \"" + std::u16string(6000, u'a') + u"\" ' end";
        std::u16string plain = quoted;
        plain.erase(4, 1);
        CodeView changed(ScriptLanguage::VBScript);
        CodeView fresh(ScriptLanguage::VBScript);
        for (CodeView* view : {&changed, &fresh}) {
            view->resize(300, 200);
            view->show();
        }
        changed.setLines({quoted});
        changed.verticalScrollBar()->setValue(changed.verticalScrollBar()->maximum());
        const QImage before = changed.grab().toImage();
        changed.setLines({plain});
        fresh.setLines({plain});
        fresh.verticalScrollBar()->setValue(fresh.verticalScrollBar()->maximum());
        QCOMPARE(changed.verticalScrollBar()->value(), fresh.verticalScrollBar()->value());
        QVERIFY(changed.grab().toImage() != before);
        QCOMPARE(changed.grab().toImage(), fresh.grab().toImage());
    }

    void selectAndCopyWithCrLf() {
        CodeView view(ScriptLanguage::VBScript);
        view.resize(400, 200);
        view.show();
        view.setLines({u"first", u"", u"third"});
        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("first\r\n\r\nthird"));

        // A click, then a shift-click at the end of the first line.
        const int rowHeight = QFontMetrics(view.font()).lineSpacing();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(0, rowHeight / 2));
        QVERIFY(!view.hasSelection());
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(390, rowHeight / 2));
        QCOMPARE(view.selectedText(), QStringLiteral("first"));
        // New lines keep a selection that still fits.
        view.setLines({u"fir"});
        QCOMPARE(view.selectedText(), QStringLiteral("fir"));
    }
};

}  // namespace bw

QTEST_MAIN(bw::CodeViewTest)
#include "CodeViewTest.moc"
