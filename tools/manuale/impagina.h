// SPDX-License-Identifier: GPL-3.0-or-later
// Typesetting of the user manual: Markdown text laid out on A4 pages of a PDF file.
#pragma once

#include <QString>

namespace tv::manuale {

// Writes `markdown` as a PDF document at `pdf` (A4, numbered pages, `titolo` as the document's
// title). Pictures named in the text are read from the folder `immagini` (pictures wider than
// the page are shrunk to its width). Returns an empty text on success, otherwise what went wrong
// (in Italian).
QString impagina(const QString& markdown, const QString& pdf, const QString& titolo,
                 const QString& immagini = QString());

// The title of a manual: the text of its first level-one heading, empty when there is none.
QString titolo_di(const QString& markdown);

}  // namespace tv::manuale
