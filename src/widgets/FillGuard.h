#pragma once

// Set while a window copies frame values into its controls, so the controls'
// handlers know the change is not the user's and send nothing. Nests safely:
// the previous value comes back when the guard goes.
class FillGuard
{
public:
    explicit FillGuard(bool& filling)
        : m_filling(filling)
        , m_previous(filling)
    {
        m_filling = true;
    }
    ~FillGuard() { m_filling = m_previous; }
    FillGuard(const FillGuard&) = delete;
    FillGuard& operator=(const FillGuard&) = delete;

private:
    bool& m_filling;
    bool m_previous;
};
