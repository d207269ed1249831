// Small published classes that exercise every property kind of the walker.
#pragma once

#include "platform/Colors.h"
#include "platform/Font.h"

#include <QChar>
#include <QObject>
#include <QString>

class TFixturePart : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor FillColor READ FillColor WRITE SetFillColor)
    Q_PROPERTY(TFixturePart* Next READ Next WRITE SetNext)

public:
    explicit TFixturePart(QObject* parent = nullptr) : QObject(parent) {}

    QString Caption() const { return caption_; }
    void SetCaption(const QString& value) { caption_ = value; }
    TColor FillColor() const { return fillColor_; }
    void SetFillColor(TColor value) { fillColor_ = value; }
    TFixturePart* Next() const { return next_; }
    void SetNext(TFixturePart* value) { next_ = value; }

private:
    QString caption_ = QStringLiteral("part");
    TColor fillColor_ = clBtnFace;
    TFixturePart* next_ = nullptr;
};

// A part of another class, with a property of its own.
class TFixtureLevelPart : public TFixturePart {
    Q_OBJECT
    Q_PROPERTY(int Level READ Level WRITE SetLevel)

public:
    using TFixturePart::TFixturePart;

    int Level() const { return level_; }
    void SetLevel(int value) { level_ = value; }

private:
    int level_ = 1;
};

class TFixtureBase : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Count READ Count WRITE SetCount)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)

public:
    int Count() const { return count_; }
    void SetCount(int value) { count_ = value; }
    double Ratio() const { return ratio_; }
    void SetRatio(double value) { ratio_ = value; }

private:
    int count_ = 3;
    double ratio_ = 0.5;
};

class TFixture : public TFixtureBase {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(TiShape Shape READ Shape WRITE SetShape)
    Q_PROPERTY(TiEdges Edges READ Edges WRITE SetEdges)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(QChar Character READ Character WRITE SetCharacter)
    Q_PROPERTY(uchar SegmentBits READ SegmentBits WRITE SetSegmentBits)
    Q_PROPERTY(TFixturePart* Part READ Part WRITE SetPart)
    Q_PROPERTY(int Area READ Area)
    Q_PROPERTY(int Scratch READ Scratch WRITE SetScratch STORED false)
    // Declared again: keeps the base position.
    Q_PROPERTY(int Count READ Count WRITE SetCount)

public:
    enum TiShape { isCircle, isSquare, isTriangle };
    Q_ENUM(TiShape)
    enum TiEdge { ieLeft = 1, ieTop = 2, ieRight = 4, ieBottom = 8 };
    Q_DECLARE_FLAGS(TiEdges, TiEdge)
    Q_FLAG(TiEdges)

    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    TiShape Shape() const { return shape_; }
    void SetShape(TiShape value) { shape_ = value; }
    TiEdges Edges() const { return edges_; }
    void SetEdges(TiEdges value) { edges_ = value; }
    TColor BackGroundColor() const { return backGroundColor_; }
    void SetBackGroundColor(TColor value) { backGroundColor_ = value; }
    QChar Character() const { return character_; }
    void SetCharacter(QChar value) { character_ = value; }
    uchar SegmentBits() const { return segmentBits_; }
    void SetSegmentBits(uchar value) { segmentBits_ = value; }
    TFixturePart* Part() const { return part_; }
    void SetPart(TFixturePart* value) { part_->SetCaption(value->Caption()); }
    int Area() const { return 42; }
    int Scratch() const { return scratch_; }
    void SetScratch(int value) { scratch_ = value; }

private:
    bool active_ = false;
    TiShape shape_ = isCircle;
    TiEdges edges_;
    TColor backGroundColor_ = clBtnFace;
    QChar character_ = u'0';
    uchar segmentBits_ = 0;
    TFixturePart* part_ = new TFixturePart(this);
    int scratch_ = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFixture::TiEdges)

// A scale-like owner of a font, whose setter copies the font handed to it.
class TFixtureScale : public QObject {
    Q_OBJECT
    Q_PROPERTY(TFont* TickLabelFont READ TickLabelFont WRITE SetTickLabelFont)

public:
    TFont* TickLabelFont() const { return tickLabelFont_; }
    void SetTickLabelFont(TFont* value) { tickLabelFont_->Assign(*value); }

private:
    TFont* tickLabelFont_ = new TFont(this);
};
