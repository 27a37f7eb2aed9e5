#pragma once

#include "models/SpectrumModel.h"
#include "protocol/tavr1/Tavr1Data.h"

// A Tavr1 settings record seen through the spectrum model. Word numbers the
// record does not hold read as 0 and are not written.
class TTavr1SpectrumConfig : public TSpectrumConfig
{
public:
    explicit TTavr1SpectrumConfig(Tavr1ConfigRecord& record)
        : m_record(record)
    {}
    qint32 word(int k) const override { return valid(k) ? m_record.items[k] : 0; }
    void setWord(int k, qint32 v) override
    {
        if (valid(k))
            m_record.items[k] = v;
    }
    double real(int firstWord) const override { return m_record.real(firstWord); }
    void setReal(int firstWord, double v) override { m_record.setReal(firstWord, v); }

private:
    static bool valid(int k) { return k >= 0 && k < Tavr1ConfigItemCount; }
    Tavr1ConfigRecord& m_record;
};
