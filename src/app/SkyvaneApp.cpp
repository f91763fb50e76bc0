#include "app/SkyvaneApp.h"

#include "catalog/DsoSettingsStore.h"
#include "settings/AppSettings.h"

#include <QApplication>
#include <QPrinter>

namespace app {

namespace {
SkyvaneApp* g_current = nullptr;
} // namespace

SkyvaneApp* SkyvaneApp::current() {
    return g_current;
}

SkyvaneApp::SkyvaneApp(settings::SettingsStore& store, std::filesystem::path dataFolder)
    : m_store(store), m_dataFolder(std::move(dataFolder)),
      m_catalogues(std::make_unique<catalog::Catalogues>()),
      m_viewMode(settings::ReadViewMode(store)),
      m_adornedDialogs(settings::ReadAdornedDialogs(store)),
      m_savedPalette(QApplication::palette()) {
    deepSkySelection = catalog::ReadDsoSelection(store);
    applyPalette();
    g_current = this;
}

QPrinter& SkyvaneApp::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setResolution(kPrintResolution);
        m_printer->setDocName("Skyvane chart");
    }
    return *m_printer;
}

SkyvaneApp::~SkyvaneApp() {
    QApplication::setPalette(m_savedPalette);
    if (g_current == this)
        g_current = nullptr;
}

catalog::Catalogues::Report
SkyvaneApp::loadCatalogues(const std::function<void(const std::string&)>& step) {
    catalog::Catalogues::Report report = m_catalogues->LoadAll(m_dataFolder, step);
    applyDeepSkySelection();
    return report;
}

void SkyvaneApp::applyDeepSkySelection() {
    m_catalogues->deepSky.ApplyDsoSelection(deepSkySelection);
}

void SkyvaneApp::setViewMode(int mode) {
    if (mode < 1 || mode > 4 || mode == m_viewMode)
        return;
    m_viewMode = mode;
    applyPalette();
    Q_EMIT viewModeChanged(mode);
}

void SkyvaneApp::toggleAdornedDialogs() {
    m_adornedDialogs = m_adornedDialogs ? 0 : 1;
}

void SkyvaneApp::saveSettings() {
    settings::WriteApplicationSettings(m_store, m_viewMode, m_adornedDialogs);
    catalog::WriteDsoSelection(m_store, deepSkySelection);
}

void SkyvaneApp::applyPalette() {
    if (m_viewMode == 2)
        QApplication::setPalette(darkPalette());
    else if (m_viewMode == 3)
        QApplication::setPalette(redPalette());
    else
        QApplication::setPalette(m_savedPalette);
}

namespace {

// Frames, buttons and menus black; text, borders and highlights in one ink colour.
QPalette schemePalette(QColor ink, QColor greyText) {
    const QColor black(0, 0, 0);
    QPalette p;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, black);
        p.setColor(group, QPalette::WindowText, ink);
        p.setColor(group, QPalette::Base, black);
        p.setColor(group, QPalette::AlternateBase, black);
        p.setColor(group, QPalette::Text, ink);
        p.setColor(group, QPalette::Button, black);
        p.setColor(group, QPalette::ButtonText, ink);
        p.setColor(group, QPalette::BrightText, ink);
        p.setColor(group, QPalette::Light, ink);
        p.setColor(group, QPalette::Midlight, ink);
        p.setColor(group, QPalette::Mid, black);
        p.setColor(group, QPalette::Dark, black);
        p.setColor(group, QPalette::Shadow, black);
        p.setColor(group, QPalette::Highlight, black);
        p.setColor(group, QPalette::HighlightedText, ink);
        p.setColor(group, QPalette::ToolTipBase, ink);
        p.setColor(group, QPalette::ToolTipText, black);
        p.setColor(group, QPalette::PlaceholderText, greyText);
    }
    p.setColor(QPalette::Disabled, QPalette::Window, black);
    p.setColor(QPalette::Disabled, QPalette::Base, black);
    p.setColor(QPalette::Disabled, QPalette::Button, black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, greyText);
    p.setColor(QPalette::Disabled, QPalette::Text, greyText);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, greyText);
    return p;
}

} // namespace

QPalette SkyvaneApp::darkPalette() {
    return schemePalette(QColor(65, 65, 65), QColor(45, 45, 45));
}

QPalette SkyvaneApp::redPalette() {
    return schemePalette(QColor(255, 0, 0), QColor(128, 0, 0));
}

} // namespace app
