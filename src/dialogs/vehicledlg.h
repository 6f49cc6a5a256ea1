#pragma once

// "Parametre vozíka": the cart's wheel track and length, kept between openings.
class CVehicleDlg {
public:
    static constexpr int kTemplateId = 133;

    int m_wheelTrack = 0;
    int m_cartLength = 0;
};
