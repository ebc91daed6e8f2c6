// The objects of the server library: each gives one interface of
// QRV_SERVER.h over the reference implementation of its component, turning
// BSTRs into texts and back and the component's run-time errors into
// answers with an error object (comkit/ErrorObject.h).
#pragma once

#include "servercom/QRV_SERVER.h"

namespace servercom {

// Makes the object of a class and asks it for the interface; the answer of
// QueryInterface, or the failure of making it.
HRESULT createConfigReader(REFIID riid, void **object);
HRESULT createNodeTypeList(REFIID riid, void **object);
HRESULT createPartitionInserter(REFIID riid, void **object);
HRESULT createNodeMaxInserter(REFIID riid, void **object);
HRESULT createPartitionUpdater(REFIID riid, void **object);
HRESULT createNodeMaxUpdater(REFIID riid, void **object);
HRESULT createMessageBox(REFIID riid, void **object);
HRESULT createNodeMaxReader(REFIID riid, void **object);
HRESULT createNameValidator(REFIID riid, void **object);
HRESULT createUnitOfWork(REFIID riid, void **object);

} // namespace servercom
