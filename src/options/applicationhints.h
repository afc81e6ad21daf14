#pragma once

#include <QObject>
#include <QPointer>

class ShadowLabel;
class SkinButton;
struct Settings;

// The "application hints" setting: whether hints pop up as bubbles and
// whether the hint line laHints shows the hint of the control under the
// pointer (0 both, 1 neither, 2 bubbles only, 3 the line only).
class ApplicationHints : public QObject
{
    Q_OBJECT
public:
    // Watches the application for hints from here on.
    ApplicationHints(Settings &settings, SkinButton *skCustom, ShadowLabel *laHints, QObject *parent = nullptr);
    ~ApplicationHints() override;

    // The custom button's hint from the settings, then both kinds of hint
    // by the setting.
    bool apply();
    bool popUpHints() const { return m_popUps; }
    bool hintLine() const { return m_line; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Settings &m_settings;
    QPointer<SkinButton> m_custom;
    QPointer<ShadowLabel> m_lineLabel;
    bool m_popUps = true;
    bool m_line = true;
};
