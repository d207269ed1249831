// An ordered list of strings, each with an optional object, that can keep itself sorted,
// join and split its lines and hold "Name=Value" pairs. Look-ups ignore case.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

// What a sorted list does with a string equal to one it holds.
enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList {
public:
    int Count() const { return int(items_.size()); }

    // Index errors raise "List index out of bounds (<index>)".
    const QString& Strings(int index) const;
    const QString& operator[](int index) const { return Strings(index); }
    // Not allowed on a sorted list, where it would break the order.
    void SetStrings(int index, const QString& text);
    QObject* Objects(int index) const;
    void SetObjects(int index, QObject* object);

    // Appends, or in a sorted list inserts in order: an equal string goes in front of the
    // equal ones already held (dupAccept), is not added (dupIgnore, which returns the index
    // of the one held) or raises "String list does not allow duplicates" (dupError).
    int Add(const QString& text, QObject* object = nullptr);
    // Raises "Operation not allowed on sorted list" on a sorted list.
    void Insert(int index, const QString& text, QObject* object = nullptr);
    void Delete(int index);
    void Clear();
    void Assign(const TStringList& source); // strings and objects; not the sorting

    int IndexOf(const QString& text) const;
    int IndexOfName(const QString& name) const;
    int IndexOfObject(const QObject* object) const;

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }

    // Every string followed by CR LF. Setting splits at CR LF, LF or CR.
    QString Text() const;
    void SetText(const QString& text);
    // Strings joined by ",", quoted with '"' when they hold a blank, a comma or a quote.
    // Setting splits at commas and at unquoted blanks.
    QString CommaText() const;
    void SetCommaText(const QString& text);

    // The text before the first "=" of string index; empty without one.
    QString Names(int index) const;
    // The text after "Name=" of the first string whose name is name; empty when none is.
    QString Values(const QString& name) const;
    // Replaces or appends "Name=Value"; an empty value removes the string.
    void SetValues(const QString& name, const QString& value);

    // UTF-8 text. Failures raise "Cannot open file "<name>". <reason>" and
    // "Cannot create file "<name>". <reason>".
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName) const;

    std::function<void(TStringList* Sender)> OnChange;

private:
    struct Item {
        QString String;
        QObject* Object;
    };

    void CheckIndex(int index) const;
    void CheckUnsorted() const;
    // The first index whose string is not less than text; true when it equals text.
    bool Find(const QString& text, int& index) const;
    void Sort();
    void Replace(std::vector<Item> items);
    void Changed();

    std::vector<Item> items_;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupIgnore;
};
