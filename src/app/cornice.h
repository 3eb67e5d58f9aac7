// SPDX-License-Identifier: GPL-3.0-or-later
// A frame with its caption on the top edge, painted flat in the palette's own colours.
#pragma once

#include <QGroupBox>

namespace tv::app {

// The style's group box tints its inside, so a white frame would not be white; this one paints
// exactly its Window colour (when it fills its background), an etched border and the caption.
class CorniceWidget : public QGroupBox {
    Q_OBJECT

public:
    explicit CorniceWidget(const QString& titolo, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* evento) override;
};

}  // namespace tv::app
