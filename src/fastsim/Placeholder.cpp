// Filled by the fastsim models.
namespace kivo {}
