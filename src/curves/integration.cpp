#include "curves/integration.h"

#include "platform/clocale.h"
#include "platform/pixelmath.h"

namespace {

float integrate(float period, float value, float previous)
{
    return static_cast<float>(double(period) * double(value) + double(previous));
}

float mean(float previous, float current)
{
    return static_cast<float>((double(previous) + double(current)) * 0.5);
}

void integrateWith(IntegrationRecord* records, int k, float period, float valueX, float valueY)
{
    IntegrationRecord& record = records[k];
    const IntegrationRecord& previous = records[k - 1];
    record.integralX = integrate(period, valueX, previous.integralX);
    record.integralY = integrate(period, valueY, previous.integralY);
    record.posX = integrate(period, record.integralX, previous.posX);
    record.posY = integrate(period, record.integralY, previous.posY);
}

} // namespace

void integrateSimple(IntegrationRecord* records, int k, float period)
{
    integrateWith(records, k, period, records[k].sampleX, records[k].sampleY);
}

void integratePrecise(IntegrationRecord* records, int k, float period, float& meanX, float& meanY)
{
    meanX = mean(records[k - 1].sampleX, records[k].sampleX);
    meanY = mean(records[k - 1].sampleY, records[k].sampleY);
    integrateWith(records, k, period, meanX, meanY);
}

int integrateFirstPass(std::FILE* samples, IntegrationRecord* records, float period, float* xs, float* ys,
                       std::FILE* trace)
{
    const CLocaleScope cLocale;
    int k = 1;
    for (;; ++k) {
        const int converted = std::fscanf(samples, "%f %f", &records[k].sampleX, &records[k].sampleY);
        integrateSimple(records, k, period);
        xs[k] = records[k].posX;
        ys[k] = records[k].posY;
        if (trace != nullptr) {
            std::fprintf(trace, "%d %d\n", truncToPixel(double(xs[k])), truncToPixel(double(ys[k])));
        }
        if (converted == 0 || std::feof(samples) || std::ferror(samples) || k == kIntegrationCapacity - 1) {
            break;
        }
    }
    return k + 1;
}
