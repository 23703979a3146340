#include "StringTable.h"

#include <QFile>
#include <QHash>

namespace {

QString Unescape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            QChar next = text[i + 1];
            if (next == 'n') {
                out += '\n';
                ++i;
                continue;
            }
            if (next == 't') {
                out += '\t';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

const QHash<int, QString>& Table() {
    static const QHash<int, QString> table = [] {
        QHash<int, QString> strings;
        QFile file(QStringLiteral(":/strings.txt"));
        if (!file.open(QIODevice::ReadOnly)) return strings;
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        for (const QString& line : lines) {
            if (line.isEmpty() || line.startsWith('#')) continue;
            qsizetype tab = line.indexOf('\t');
            if (tab <= 0) continue;
            bool ok = false;
            int id = line.left(tab).toInt(&ok);
            if (ok) strings.insert(id, Unescape(line.mid(tab + 1)));
        }
        return strings;
    }();
    return table;
}

}  // namespace

QString LoadString(int id) { return Table().value(id); }

QString PromptOf(const QString& text) {
    qsizetype newline = text.indexOf('\n');
    return newline < 0 ? text : text.left(newline);
}

QString TooltipOf(const QString& text) {
    qsizetype newline = text.indexOf('\n');
    return newline < 0 ? QString() : text.mid(newline + 1);
}
