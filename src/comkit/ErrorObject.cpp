// The error object and the two conversions.
#include "comkit/ErrorObject.h"

#include "comkit/ComStrings.h"

namespace com {
namespace {

class ErrorObject final : public CountedUnknown<ErrorObject, IErrorInfo>
{
public:
    ErrorObject(QString source, QString description)
        : m_source(std::move(source)), m_description(std::move(description))
    {
    }
    static bool givesInterface(REFIID riid) { return sameGuid(riid, IID_IErrorInfo); }

    HRESULT VEL_CALL GetGUID(GUID *interfaceId) override
    {
        if (!interfaceId)
            return E_POINTER;
        *interfaceId = GUID{};
        return S_OK;
    }
    HRESULT VEL_CALL GetSource(BSTR *source) override { return give(source, m_source); }
    HRESULT VEL_CALL GetDescription(BSTR *description) override { return give(description, m_description); }
    HRESULT VEL_CALL GetHelpFile(BSTR *helpFile) override { return give(helpFile, QString()); }
    HRESULT VEL_CALL GetHelpContext(DWORD *helpContext) override
    {
        if (!helpContext)
            return E_POINTER;
        *helpContext = 0;
        return S_OK;
    }

private:
    static HRESULT give(BSTR *target, const QString &text)
    {
        if (!target)
            return E_POINTER;
        *target = nullptr;
        return guarded([&] {
            *target = toBstr(text);
            return S_OK;
        });
    }

    QString m_source;
    QString m_description;
};

QString taken(IErrorInfo *error, HRESULT (VEL_CALL IErrorInfo::*get)(BSTR *))
{
    BSTR text = nullptr;
    if (FAILED((error->*get)(&text)))
        return {};
    const QString copy = fromBstr(text);
    SysFreeString(text);
    return copy;
}

} // namespace

HRESULT answerFor(const rt::RuntimeError &error)
{
    auto *object = new ErrorObject(error.source(), error.description());
    SetErrorInfo(0, object);
    object->Release();
    return VEL_E_RUNTIME(quint16(error.number()));
}

rt::RuntimeError errorFor(HRESULT answer, const QString &source)
{
    const qint32 number = qint32(VEL_RUNTIME_NUMBER(answer));
    IErrorInfo *error = nullptr;
    if (GetErrorInfo(0, &error) != S_OK || !error)
        return rt::RuntimeError(number, source, rt::standardDescription(number));
    QString givenSource = taken(error, &IErrorInfo::GetSource);
    const QString description = taken(error, &IErrorInfo::GetDescription);
    error->Release();
    return rt::RuntimeError(number, givenSource.isEmpty() ? source : givenSource,
                            description.isEmpty() ? rt::standardDescription(number) : description);
}

void check(HRESULT answer, const QString &source)
{
    if (FAILED(answer))
        throw errorFor(answer, source);
}

} // namespace com
