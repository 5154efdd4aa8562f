#include "engine/scan/ChosenSignatures.h"

#include "engine/scan/SignatureCategory.h"
#include "engine/util/AnsiText.h"

uint32_t LeadingDecimalValue(const std::string& text)
{
    constexpr uint32_t kMax = 0x7FFFFFFF;
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const uint32_t digit = static_cast<uint32_t>(text[i] - '0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? 0 : value;
}

bool AppendChosenSignature(RecordList<TraceHitRecord>& list, const SignatureRecord& record)
{
    TraceHitRecord* hit = NewRecord<TraceHitRecord>();
    if (!hit)
        return false;
    hit->extension = CopyRecordName(AnsiToUtf16(record.extension));
    hit->description = CopyRecordName(AnsiToUtf16(record.description));
    hit->signature = CopyRecordText(record.signatureHex.data(), record.signatureHex.size());
    if (!hit->extension || !hit->description || !hit->signature) {
        FreeRecord(hit);
        return false;
    }
    hit->signatureLength = LeadingDecimalValue(record.lengthText);
    hit->secondValue = LeadingDecimalValue(record.secondValueHex);
    AppendRecord(list, hit);
    return true;
}

bool AppendChosenSignatures(RecordList<TraceHitRecord>& list, const std::vector<SignatureRecord>& records,
    const std::vector<std::u16string>& tickedItems)
{
    std::vector<std::u16string> extensions;
    extensions.reserve(records.size());
    for (const SignatureRecord& record : records)
        extensions.push_back(AnsiToUtf16(record.extension));
    for (const std::u16string& item : tickedItems) {
        for (size_t i = 0; i < records.size(); ++i) {
            if (!extensions[i].empty() && extensions[i] == item && !AppendChosenSignature(list, records[i]))
                return false;
        }
    }
    return true;
}

std::vector<std::u16string> FileTypeItemsInTreeOrder(const std::vector<SignatureRecord>& records)
{
    std::vector<std::u16string> folders;
    std::vector<std::vector<std::u16string>> items;
    for (const SignatureRecord& record : records) {
        if (record.extension.empty())
            continue;
        const std::u16string folder = SignatureCategoryFolder(record.category);
        const std::u16string extension = AnsiToUtf16(record.extension);
        size_t f = 0;
        while (f < folders.size() && folders[f] != folder)
            ++f;
        if (f == folders.size()) {
            folders.push_back(folder);
            items.emplace_back();
        }
        std::vector<std::u16string>& inFolder = items[f];
        bool known = false;
        for (const std::u16string& item : inFolder)
            known = known || item == extension;
        if (!known)
            inFolder.push_back(extension);
    }
    std::vector<std::u16string> order;
    for (const std::vector<std::u16string>& inFolder : items)
        order.insert(order.end(), inFolder.begin(), inFolder.end());
    return order;
}
