#pragma once

#include <QDialog>

class QSvgRenderer;

/// The support-scheme drawing shown in a window of the program's own, scaled to the window
/// with its proportions kept: the drawing installed with the program needs no other program.
class TSupportSchemeWindow : public QDialog {
    Q_OBJECT
  public:
    explicit TSupportSchemeWindow(QWidget* parent = nullptr);

    /// Reads the SVG drawing at `path`; false when it is no drawing (the window then shows
    /// nothing and keeps any drawing it had).
    bool Load(const QString& path);
    bool HasDrawing() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSvgRenderer* renderer_ = nullptr;
};
