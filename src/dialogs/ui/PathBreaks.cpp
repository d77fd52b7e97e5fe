// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/PathBreaks.h"

#include <QStringList>

namespace movrand::dialogs {

namespace {
constexpr QChar kBreakChance(0x200B);  // zero-width space
constexpr QChar kJoiner(0x2060);       // word joiner: no break here

bool IsSeparator(QChar c) {
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}
}  // namespace

QString BreakableAtSeparators(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 4);
    // Word by word: a word that holds a separator is a path, in which a hyphen holds its
    // neighbours together ("ferrari-312-classic" stays whole) and each separator is a break chance.
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && !text[end].isSpace()) ++end;
        const QString word = text.mid(start, end - start);
        const bool path = word.contains(QLatin1Char('\\')) || word.contains(QLatin1Char('/'));
        for (qsizetype i = 0; i < word.size(); ++i) {
            out += word[i];
            if (!path || i + 1 == word.size()) continue;
            if (IsSeparator(word[i]) && !IsSeparator(word[i + 1])) out += kBreakChance;
            if (word[i] == QLatin1Char('-')) out += kJoiner;
        }
        while (end < text.size() && text[end].isSpace()) out += text[end++];
        start = end;
    }
    return out;
}

QString WrappedAtSeparators(const QString& text, const QFontMetrics& metrics, int width) {
    // The pieces a line may end after: each runs up to and including a separator.
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (IsSeparator(text[i])) {
            pieces << text.mid(start, i + 1 - start);
            start = i + 1;
        }
    if (start < text.size()) pieces << text.mid(start);

    QStringList lines;
    QString line;
    for (const QString& piece : pieces) {
        if (line.isEmpty() || metrics.horizontalAdvance(line + piece) <= width) {
            line += piece;
        } else {
            lines << line;
            line = piece;
        }
        // A single name wider than a line is cut where the line is full.
        while (line.size() > 1 && metrics.horizontalAdvance(line) > width) {
            qsizetype fits = 1;
            while (fits < line.size() && metrics.horizontalAdvance(line.left(fits + 1)) <= width)
                ++fits;
            lines << line.left(fits);
            line = line.mid(fits);
        }
    }
    if (!line.isEmpty() || lines.isEmpty()) lines << line;
    return lines.join(QLatin1Char('\n'));
}

}  // namespace movrand::dialogs
