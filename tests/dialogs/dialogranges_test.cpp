// Which values OK takes in each dialog, and what it says about the others.
#include "dialogfixture.h"

#include "dialogs/curvedlg.h"
#include "dialogs/startenddlg.h"
#include "dialogs/systemdlg.h"
#include "dialogs/vehicledlg.h"

namespace {

class DialogRanges : public DialogTest {};

const QString kAccepted = QStringLiteral("accepted");

} // namespace

TEST_F(DialogRanges, StartEndTakesZeroTo20000InEachField)
{
    const QString range = "Please enter an integer between 0 and 20000.";
    CStartEndDlg points;
    for (const char* field : {"startX", "startY", "endX", "endY"}) {
        SCOPED_TRACE(field);
        EXPECT_EQ(enter(points, field, "20000"), kAccepted);
        EXPECT_EQ(enter(points, field, "-1"), range);
        EXPECT_EQ(enter(points, field, "20001"), range);
    }
    EXPECT_EQ(points.m_startX, 20000);
    EXPECT_EQ(points.m_startY, 20000);
    EXPECT_EQ(points.m_endX, 20000);
    EXPECT_EQ(points.m_endY, 20000);
    for (const char* field : {"startX", "startY", "endX", "endY"}) {
        EXPECT_EQ(enter(points, field, "0"), kAccepted);
    }
    EXPECT_EQ(points.m_startX, 0);
    EXPECT_EQ(points.m_endY, 0);
}

TEST_F(DialogRanges, VehicleTakesItsTwoRanges)
{
    CVehicleDlg vehicle;
    const QString trackRange = "Please enter an integer between 0 and 5000000.";
    EXPECT_EQ(enter(vehicle, "wheelTrack", "5000000"), kAccepted);
    EXPECT_EQ(vehicle.m_wheelTrack, 5000000);
    EXPECT_EQ(enter(vehicle, "wheelTrack", "0"), kAccepted);
    EXPECT_EQ(vehicle.m_wheelTrack, 0);
    EXPECT_EQ(enter(vehicle, "wheelTrack", "-1"), trackRange);
    EXPECT_EQ(enter(vehicle, "wheelTrack", "5000001"), trackRange);
    EXPECT_EQ(enter(vehicle, "wheelTrack", "2147483647"), trackRange);
    EXPECT_EQ(enter(vehicle, "wheelTrack", "2147483648"), "Please enter an integer.");

    const QString lengthRange = "Please enter an integer between 0 and 5000.";
    EXPECT_EQ(enter(vehicle, "cartLength", "5000"), kAccepted);
    EXPECT_EQ(vehicle.m_cartLength, 5000);
    EXPECT_EQ(enter(vehicle, "cartLength", "-1"), lengthRange);
    EXPECT_EQ(enter(vehicle, "cartLength", "5001"), lengthRange);
    EXPECT_EQ(vehicle.m_cartLength, 5000);
    EXPECT_EQ(vehicle.m_wheelTrack, 0);
}

TEST_F(DialogRanges, SystemAmplitudeAndSixteenBitDelay)
{
    CSystemDlg system;
    EXPECT_EQ(enter(system, "amplitude", "10000"), kAccepted);
    EXPECT_EQ(system.m_amplitude, 10000);
    EXPECT_EQ(enter(system, "amplitude", "0"), kAccepted);
    EXPECT_EQ(enter(system, "amplitude", "10001"), "Please enter an integer between 0 and 10000.");
    EXPECT_EQ(system.m_amplitude, 0);

    const QString delayRange = "Please enter an integer between 0 and 200.";
    EXPECT_EQ(enter(system, "delay", "200"), kAccepted);
    EXPECT_EQ(system.m_delay, 200);
    EXPECT_EQ(enter(system, "delay", "0"), kAccepted);
    EXPECT_EQ(enter(system, "delay", "-1"), delayRange);
    EXPECT_EQ(enter(system, "delay", "201"), delayRange);
    EXPECT_EQ(enter(system, "delay", "32767"), delayRange);
    // Not a 16-bit number at all, so not an integer to the field.
    EXPECT_EQ(enter(system, "delay", "40000"), "Please enter an integer.");
    EXPECT_EQ(enter(system, "delay", "-40000"), "Please enter an integer.");
    EXPECT_EQ(system.m_delay, 0);
}

TEST_F(DialogRanges, CurveSamplingPeriodIsCheckedInSinglePrecision)
{
    CCurveDlg curve;
    curve.m_valueCount = 101;
    const QString range = "Please enter a number between 1e-08 and 10.";
    EXPECT_EQ(enter(curve, "samplingPeriod", "1e-8"), kAccepted);
    EXPECT_EQ(curve.m_samplingPeriod, 1e-8f);
    EXPECT_EQ(enter(curve, "samplingPeriod", "10"), kAccepted);
    EXPECT_EQ(curve.m_samplingPeriod, 10.0f);
    EXPECT_EQ(enter(curve, "samplingPeriod", "0.000000009"), range);
    EXPECT_EQ(enter(curve, "samplingPeriod", "0"), range);
    EXPECT_EQ(enter(curve, "samplingPeriod", "-0"), range);
    EXPECT_EQ(enter(curve, "samplingPeriod", "10.001"), range);
    EXPECT_EQ(curve.m_samplingPeriod, 10.0f);
    // Below and above the bounds in decimal, but the same single-precision numbers.
    EXPECT_EQ(enter(curve, "samplingPeriod", "9.9999999e-9"), kAccepted);
    EXPECT_EQ(curve.m_samplingPeriod, 1e-8f);
    EXPECT_EQ(enter(curve, "samplingPeriod", "10.0000001"), kAccepted);
    EXPECT_EQ(curve.m_samplingPeriod, 10.0f);
}

TEST_F(DialogRanges, CurveIntegerFields)
{
    CCurveDlg curve;
    curve.m_samplingPeriod = 0.02f;
    EXPECT_EQ(enter(curve, "valueCount", "2"), kAccepted);
    EXPECT_EQ(enter(curve, "valueCount", "5000"), kAccepted);
    EXPECT_EQ(curve.m_valueCount, 5000);
    EXPECT_EQ(enter(curve, "valueCount", "1"), "Please enter an integer between 2 and 5000.");
    EXPECT_EQ(enter(curve, "valueCount", "5001"), "Please enter an integer between 2 and 5000.");
    curve.m_valueCount = 101;
    for (const char* field : {"curveStartX", "curveStartY"}) {
        SCOPED_TRACE(field);
        EXPECT_EQ(enter(curve, field, "800"), kAccepted);
        EXPECT_EQ(enter(curve, field, "0"), kAccepted);
        EXPECT_EQ(enter(curve, field, "801"), "Please enter an integer between 0 and 800.");
    }
    EXPECT_EQ(enter(curve, "radius10", "1000"), kAccepted);
    EXPECT_EQ(curve.m_radius10, 1000);
    EXPECT_EQ(enter(curve, "radius10", "0"), kAccepted);
    EXPECT_EQ(enter(curve, "radius10", "1001"), "Please enter an integer between 0 and 1000.");
    EXPECT_EQ(curve.m_radius10, 0);
}

TEST_F(DialogRanges, TextThatIsNoNumberOfTheFieldsType)
{
    CCurveDlg curve;
    curve.m_samplingPeriod = 0.02f;
    curve.m_valueCount = 101;
    for (const char* text : {"", "12a", "1e99", "nan", "inf", "0x1p3"}) {
        EXPECT_EQ(enter(curve, "samplingPeriod", text), "Please enter a number.") << text;
    }
    for (const char* text : {"", "   ", "12a", "1e99", "1e5", "0x10", "50.0"}) {
        EXPECT_EQ(enter(curve, "valueCount", text), "Please enter an integer.") << text;
    }
    EXPECT_EQ(curve.m_samplingPeriod, 0.02f);
    EXPECT_EQ(curve.m_valueCount, 101);

    // Blanks around a number, a sign and a lone fraction are numbers.
    EXPECT_EQ(enter(curve, "valueCount", "  50  "), kAccepted);
    EXPECT_EQ(curve.m_valueCount, 50);
    EXPECT_EQ(enter(curve, "curveStartX", "-0"), kAccepted);
    EXPECT_EQ(curve.m_curveStartX, 0);
    EXPECT_EQ(enter(curve, "curveStartY", "+7"), kAccepted);
    EXPECT_EQ(curve.m_curveStartY, 7);
    EXPECT_EQ(enter(curve, "samplingPeriod", " .5\t"), kAccepted);
    EXPECT_EQ(curve.m_samplingPeriod, 0.5f);
    EXPECT_EQ(enter(curve, "samplingPeriod", "5."), kAccepted);
    EXPECT_EQ(curve.m_samplingPeriod, 5.0f);
}

TEST_F(DialogRanges, RefusalsAreWarningsCaptionedTav1)
{
    CSystemDlg system;
    EXPECT_NE(enter(system, "amplitude", "x"), kAccepted);
    EXPECT_NE(enter(system, "amplitude", "-5"), kAccepted);
    ASSERT_EQ(m_ui.messages().size(), 2u);
    for (const ScriptedUi::Message& message : m_ui.messages()) {
        EXPECT_EQ(message.caption, "TAV1");
    }
    EXPECT_EQ(m_ui.icons(), std::vector<Ui::Icon>(2, Ui::Icon::Warning));
}
