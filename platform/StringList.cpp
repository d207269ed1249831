#include "platform/StringList.h"

#include "platform/Exception.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace {

int Compare(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive);
}

bool NeedsQuotes(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c <= u' ' || c == u'"' || c == u','; });
}

QString Quoted(const QString& text) {
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

void SkipBlanks(const QString& text, qsizetype& i) {
    while (i < text.size() && text[i] <= u' ')
        ++i;
}

// One item of a comma text from position i on, a doubled quote inside quotes standing for
// a quote.
QString CommaItem(const QString& text, qsizetype& i) {
    QString item;
    if (text[i] != u'"') {
        while (i < text.size() && text[i] > u' ' && text[i] != u',')
            item += text[i++];
        return item;
    }
    for (++i; i < text.size(); ++i) {
        if (text[i] == u'"') {
            if (i + 1 >= text.size() || text[i + 1] != u'"') {
                ++i;
                break;
            }
            ++i;
        }
        item += text[i];
    }
    return item;
}

QString NativeName(const QString& fileName) {
    return QDir::toNativeSeparators(fileName);
}

} // namespace

const QString& TStringList::Strings(int index) const {
    CheckIndex(index);
    return items_[size_t(index)].String;
}

void TStringList::SetStrings(int index, const QString& text) {
    CheckUnsorted();
    CheckIndex(index);
    items_[size_t(index)].String = text;
    Changed();
}

QObject* TStringList::Objects(int index) const {
    CheckIndex(index);
    return items_[size_t(index)].Object;
}

void TStringList::SetObjects(int index, QObject* object) {
    CheckIndex(index);
    items_[size_t(index)].Object = object;
    Changed();
}

int TStringList::Add(const QString& text, QObject* object) {
    int index = Count();
    if (sorted_ && Find(text, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) throw Exception("String list does not allow duplicates");
    }
    items_.insert(items_.begin() + index, Item{text, object});
    Changed();
    return index;
}

void TStringList::Insert(int index, const QString& text, QObject* object) {
    CheckUnsorted();
    if (index != Count()) CheckIndex(index);
    items_.insert(items_.begin() + index, Item{text, object});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TStringList::Assign(const TStringList& source) {
    Replace(source.items_);
}

int TStringList::IndexOf(const QString& text) const {
    if (int index = 0; sorted_) return Find(text, index) ? index : -1;
    const auto found = std::find_if(items_.begin(), items_.end(), [&](const Item& item) {
        return Compare(item.String, text) == 0;
    });
    return found == items_.end() ? -1 : int(found - items_.begin());
}

int TStringList::IndexOfName(const QString& name) const {
    for (int i = 0; i < Count(); ++i) {
        if (Compare(Names(i), name) == 0 && items_[size_t(i)].String.contains(u'=')) return i;
    }
    return -1;
}

int TStringList::IndexOfObject(const QObject* object) const {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const Item& item) { return item.Object == object; });
    return found == items_.end() ? -1 : int(found - items_.begin());
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (sorted_) Sort();
}

QString TStringList::Text() const {
    qsizetype size = 0;
    for (const Item& item : items_)
        size += item.String.size() + 2;
    QString text;
    text.reserve(size);
    for (const Item& item : items_)
        text.append(item.String).append(u"\r\n");
    return text;
}

void TStringList::SetText(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (lines.endsWith(u'\n')) lines.chop(1);
    std::vector<Item> items;
    if (!text.isEmpty()) {
        for (const QString& line : lines.split(u'\n'))
            items.push_back(Item{line, nullptr});
    }
    Replace(std::move(items));
}

QString TStringList::CommaText() const {
    if (Count() == 1 && items_[0].String.isEmpty()) return QStringLiteral("\"\"");
    QStringList texts;
    for (const Item& item : items_) {
        texts.append(NeedsQuotes(item.String) ? Quoted(item.String) : item.String);
    }
    return texts.join(u',');
}

void TStringList::SetCommaText(const QString& text) {
    std::vector<Item> items;
    qsizetype i = 0;
    SkipBlanks(text, i);
    while (i < text.size()) {
        items.push_back(Item{CommaItem(text, i), nullptr});
        SkipBlanks(text, i);
        if (i < text.size() && text[i] == u',') {
            // A comma at the very end still separates an empty last item.
            if (++i == text.size()) items.push_back(Item{QString(), nullptr});
            SkipBlanks(text, i);
        }
    }
    Replace(std::move(items));
}

QString TStringList::Names(int index) const {
    const QString& text = Strings(index);
    const qsizetype equals = text.indexOf(u'=');
    return equals < 0 ? QString() : text.left(equals);
}

QString TStringList::Values(const QString& name) const {
    const int index = IndexOfName(name);
    return index < 0 ? QString() : Strings(index).mid(name.size() + 1);
}

void TStringList::SetValues(const QString& name, const QString& value) {
    const int index = IndexOfName(name);
    if (value.isEmpty()) {
        if (index >= 0) Delete(index);
    } else if (index < 0) {
        Add(name + u'=' + value);
    } else {
        SetStrings(index, name + u'=' + value);
    }
}

void TStringList::LoadFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Exception(QStringLiteral("Cannot open file \"%1\". %2")
                            .arg(NativeName(fileName), file.errorString()));
    }
    SetText(QString::fromUtf8(file.readAll()));
}

void TStringList::SaveToFile(const QString& fileName) const {
    QFile file(fileName);
    const QByteArray bytes = Text().toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        throw Exception(QStringLiteral("Cannot create file \"%1\". %2")
                            .arg(NativeName(fileName), file.errorString()));
    }
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) {
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    }
}

void TStringList::CheckUnsorted() const {
    if (sorted_) throw Exception("Operation not allowed on sorted list");
}

bool TStringList::Find(const QString& text, int& index) const {
    const auto first = std::lower_bound(
        items_.begin(), items_.end(), text,
        [](const Item& item, const QString& key) { return Compare(item.String, key) < 0; });
    index = int(first - items_.begin());
    return first != items_.end() && Compare(first->String, text) == 0;
}

void TStringList::Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Item& a, const Item& b) { return Compare(a.String, b.String) < 0; });
    Changed();
}

void TStringList::Replace(std::vector<Item> items) {
    items_ = std::move(items);
    if (sorted_) {
        Sort();
    } else {
        Changed();
    }
}

void TStringList::Changed() {
    if (OnChange) OnChange(this);
}
