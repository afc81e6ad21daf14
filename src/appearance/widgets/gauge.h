#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

// The numbers behind a gauge: its range, its progress within the range and
// the shares painted from them. No widget needed, so they are checked
// directly.
class GaugeRange
{
public:
    int minValue() const { return m_minValue; }
    int maxValue() const { return m_maxValue; }
    int progress() const { return m_progress; }

    // A minimum above the maximum (a maximum below the minimum) is refused:
    // false, the range unchanged and lastError() says what is allowed. An
    // accepted bound pulls the progress inside the range.
    bool setMinValue(int value);
    bool setMaxValue(int value);
    // Clamped to the range.
    void setProgress(int value);

    // The message of the last refused bound.
    QString lastError() const { return m_lastError; }

    int percentDone() const { return percentDone(m_minValue, m_maxValue, m_progress); }

    // (progress - min) * 100 / (max - min), truncated; 0 for an empty range.
    static int percentDone(int minValue, int maxValue, int progress);
    // Length of a bar showing percent of extent, truncated, at most extent.
    static int barLength(int extent, int percent);
    // The text shown over the picture: "50%".
    static QString percentText(int percent);

private:
    int m_minValue = 0;
    int m_maxValue = 100;
    int m_progress = 0;
    QString m_lastError;
};

// A percentage gauge: a bar, a pie, a needle or only the number. The
// picture is composed off screen; the number is combined with it by
// exclusive-or so it stays readable over both parts of a bar.
class Gauge : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(Kind kind READ kind WRITE setKind)
    Q_PROPERTY(bool showText READ showText WRITE setShowText)
    Q_PROPERTY(BorderStyle borderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(int minValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int maxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int progress READ progress WRITE setProgress)

public:
    enum Kind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
    Q_ENUM(Kind)
    enum BorderStyle { bsNone, bsSingle };
    Q_ENUM(BorderStyle)

    explicit Gauge(QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    void setKind(Kind kind);
    bool showText() const { return m_showText; }
    void setShowText(bool show);
    // A single border is a one-pixel black frame inside the gauge's rectangle.
    BorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(BorderStyle style);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    int minValue() const { return m_range.minValue(); }
    int maxValue() const { return m_range.maxValue(); }
    int progress() const { return m_range.progress(); }
    // See GaugeRange: false (and lastError()) when the bound is refused.
    bool setMinValue(int value);
    bool setMaxValue(int value);
    void setProgress(int value);
    QString lastError() const { return m_range.lastError(); }
    int percentDone() const { return m_range.percentDone(); }

    // The picture as painted, at the gauge's current size.
    QImage picture() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawKind(QPainter &painter, const QRect &area, int percent) const;
    void drawPercentText(QImage &image, const QRect &area, int percent) const;

    GaugeRange m_range;
    Kind m_kind = gkHorizontalBar;
    bool m_showText = true;
    BorderStyle m_borderStyle = bsSingle;
    QColor m_foreColor = Qt::black;
    QColor m_backColor = Qt::white;
};
