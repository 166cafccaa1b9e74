#pragma once
#include "Dispatch.h"
#include "standin-host.h"

namespace standin {

// The station-information object that StationInfo hands out.
class StationInfoObject final : public Dispatch<IStandInStationInfo> {
public:
    explicit StationInfoObject(Server& server) : Dispatch(server, IID_IStandInStationInfo, nullptr) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    HRESULT STDMETHODCALLTYPE get_StationCallsign(BSTR* callsign) override;
};

}  // namespace standin
