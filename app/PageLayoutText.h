#pragma once

// The page set up for printing as one line of the settings store, so that it is kept from one run to
// the next: the paper's size key, the orientation and the four margins in millimetres, e.g.
// "A4;portrait;15;15;15;15".

#include <QPageLayout>
#include <QString>

#include <optional>

QString PageLayoutToText(const QPageLayout& layout);

// The layout a text stands for; none for a text that is not one (a hand-edited or foreign value).
std::optional<QPageLayout> PageLayoutFromText(const QString& text);
