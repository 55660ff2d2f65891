#include "support_scheme_window.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include "window_fit.h"

namespace {

// A drawing larger than this is no support scheme.
constexpr qint64 kMaxDrawingBytes = 8 * 1024 * 1024;

}  // namespace

TSupportSchemeWindow::TSupportSchemeWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormSupportScheme"));
    setWindowTitle(QStringLiteral("Схема опоры"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setSizeGripEnabled(true);
    renderer_ = new QSvgRenderer(this);
    renderer_->setAspectRatioMode(Qt::KeepAspectRatio);
    resize(900, 650);
    KeepOnScreen(this);
}

bool TSupportSchemeWindow::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxDrawingBytes) return false;
    auto* fresh = new QSvgRenderer(file.readAll(), this);
    if (!fresh->isValid()) {
        delete fresh;
        return false;
    }
    delete renderer_;
    renderer_ = fresh;
    renderer_->setAspectRatioMode(Qt::KeepAspectRatio);
    update();
    return true;
}

bool TSupportSchemeWindow::HasDrawing() const {
    return renderer_->isValid();
}

void TSupportSchemeWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (renderer_->isValid()) renderer_->render(&painter, QRectF(rect().adjusted(8, 8, -8, -8)));
}
